#!/usr/bin/env python3
"""Writes what compiling one Qt Designer form of other programs needs: a
translation unit that makes the form (its uic header included inside a
namespace of its own, so that forms sharing a class name do not collide)
and stand-ins for the form's custom widgets (each a subclass of the Qt class
it extends; a property the Qt class lacks becomes a dynamic property).

usage: gen_form.py FORM.ui INDEX OUTDIR"""
import os
import sys
import xml.etree.ElementTree as ET

ui_path, index, out = sys.argv[1], sys.argv[2], sys.argv[3]
root = ET.parse(ui_path).getroot()
ns = f"real_form_{index}"
stub_dir = os.path.join(out, f"stubs_{index}")
os.makedirs(stub_dir, exist_ok=True)

customs = {}
for cw in root.iter("customwidget"):
    cls = cw.findtext("class")
    customs[cls] = {
        "extends": (cw.findtext("extends") or "QWidget").strip(),
        "header": (cw.findtext("header") or (cls.lower() + ".h")).strip(),
    }

props = {c: set() for c in customs}
for w in root.iter("widget"):
    c = w.get("class")
    if c in props:
        for p in w.findall("property"):
            if p.get("stdset") != "0":
                props[c].add(p.get("name"))

# Base classes first.
order, seen = [], set()
def visit(c):
    if c in seen or c not in customs:
        return
    seen.add(c)
    visit(customs[c]["extends"])
    order.append(c)
for c in customs:
    visit(c)

lines = ["#pragma once", "// Stand-ins for the custom widgets of " + os.path.basename(ui_path)]
for c in order:
    base = customs[c]["extends"]
    *scopes, short = c.split("::")
    base_short = base.split("::")[-1]
    for sc in scopes:
        lines.append(f"namespace {sc} {{")
    lines.append(f"class {short} : public {base}")
    lines.append("{")
    lines.append("public:")
    lines.append(f"    using {base}::{base_short};")
    for p in sorted(props[c]):
        setter = "set" + p[0].upper() + p[1:]
        lines.append("    template<typename... A>")
        lines.append(f"    void {setter}(A &&...a)")
        lines.append("    {")
        lines.append(f"        if constexpr (requires({base} &b) {{ b.{setter}(std::forward<A>(a)...); }})")
        lines.append(f"            {base}::{setter}(std::forward<A>(a)...);")
        lines.append("        else")
        lines.append(f"            this->setProperty(\"{p}\", QVariant::fromValue(std::forward<A>(a)...));")
        lines.append("    }")
    lines.append("};")
    for sc in scopes:
        lines.append("}")
with open(os.path.join(stub_dir, "real_form_stubs.h"), "w") as f:
    f.write("\n".join(lines) + "\n")
for c, info in customs.items():
    path = os.path.join(stub_dir, info["header"])
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write('#pragma once\n#include "real_form_stubs.h"\n')

top = root.find("widget")
top_class, ui_class = top.get("class"), root.findtext("class") or top.get("name")
name = os.path.basename(ui_path)
with open(os.path.join(out, f"real_form_{index}.cpp"), "w") as f:
    f.write(f'''// Made by gen_form.py from {name}.
#include "tests/glotta/widgets/real_forms/real_form.h"

#include <QtCore/QtCore>
#include <QtGui/QtGui>
#include <QtWidgets/QtWidgets>
#include <utility>

namespace {ns} {{
#include "ui_real_form_{index}.h"
}}

namespace {{
QWidget *Make()
{{
    auto *Form = new {ns}::{top_class};
    auto *Ui = new {ns}::Ui::{ui_class};
    Ui->setupUi(Form);
    QObject::connect(Form, &QObject::destroyed, [Ui] {{ delete Ui; }});
    return Form;
}}
const TRealFormRegistration Registration("{name}", &Make);
}} // namespace
''')
