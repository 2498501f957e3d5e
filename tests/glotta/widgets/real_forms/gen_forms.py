#!/usr/bin/env python3
"""Writes what compiling the Qt Designer forms of other programs needs, as
ONE translation unit: parsing Qt's headers is what costs (several seconds a
unit), and the forms' own code is plain calls, so one unit that includes the
headers once and holds every form is many times cheaper than a unit a form.

For each form: its uic header (run here), with the includes of the form's
custom widgets dropped, and stand-ins for those widgets (a subclass of the
Qt class each extends; a setter the Qt class lacks keeps its value as a
dynamic property), both inside a namespace of the form's own, so that forms
sharing a class name do not collide.

usage: gen_forms.py UIC OUTDIR FORM.ui..."""
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

uic, out, forms = sys.argv[1], sys.argv[2], sys.argv[3:]
os.makedirs(out, exist_ok=True)


def stubs(root):
    customs = {}
    for cw in root.iter("customwidget"):
        cls = cw.findtext("class").strip()
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
    order, seen = [], set()

    def visit(c):  # base classes first
        if c in seen or c not in customs:
            return
        seen.add(c)
        visit(customs[c]["extends"])
        order.append(c)

    for c in customs:
        visit(c)
    lines = []
    for c in order:
        base = customs[c]["extends"]
        *scopes, short = c.split("::")
        base_short = base.split("::")[-1]
        lines += [f"namespace {sc} {{" for sc in scopes]
        lines += [f"class {short} : public {base}", "{", "public:", f"    using {base}::{base_short};"]
        for p in sorted(props[c]):
            setter = "set" + p[0].upper() + p[1:]
            # B is a template parameter so that the test below is made per
            # call and a missing member of the base is no error.
            lines += [
                f"    template<typename B = {base}, typename... A>",
                f"    void {setter}(A &&...a)",
                "    {",
                f"        if constexpr (requires(B &b) {{ b.{setter}(std::forward<A>(a)...); }})",
                f"            B::{setter}(std::forward<A>(a)...);",
                "        else",
                f"            this->setProperty(\"{p}\", QVariant::fromValue(std::forward<A>(a)...));",
                "    }",
            ]
        lines.append("};")
        lines += ["}" for _ in scopes]
    return customs, lines


units = ["// Made by gen_forms.py: the real Qt Designer forms, one namespace each.",
         '#include "tests/glotta/widgets/real_forms/real_form.h"', "",
         "#include <QtCore/QtCore>", "#include <QtGui/QtGui>", "#include <QtWidgets/QtWidgets>",
         "#include <utility>", ""]
for index, ui_path in enumerate(forms):
    root = ET.parse(ui_path).getroot()
    ns = f"real_form_{index}"
    customs, stub_lines = stubs(root)
    ui_header = os.path.join(out, f"ui_real_form_{index}.h")
    # Written to its final name so that its include guard is the form's own.
    subprocess.run([uic, "--connections", "string", "-o", ui_header, ui_path], check=True)
    with open(ui_header) as f:
        header = f.read()
    own = {info["header"] for info in customs.values()}
    kept = []
    for line in header.splitlines():
        m = re.match(r'\s*#\s*include\s*[<"]([^>"]+)[>"]', line)
        if m and m.group(1) in own:
            continue
        kept.append(line)
    with open(ui_header, "w") as f:
        f.write("// Stand-ins for the custom widgets of " + os.path.basename(ui_path) + "\n")
        f.write("\n".join(stub_lines) + "\n\n" + "\n".join(kept) + "\n")
    top = root.find("widget")
    top_class, ui_class = top.get("class"), root.findtext("class") or top.get("name")
    top_type = f"{ns}::{top_class}" if top_class in customs else f"::{top_class}"
    *ui_scopes, ui_short = ui_class.split("::")  # uic puts Ui inside the class's namespaces
    ui_type = "::".join([ns] + ui_scopes + ["Ui", ui_short])
    name = os.path.basename(ui_path)
    units += [
        f"namespace {ns} {{",
        f'#include "ui_real_form_{index}.h"',
        "",
        "QWidget *Make()",
        "{",
        f"    auto *Form = new {top_type};",
        f"    auto *Ui = new {ui_type};",
        "    Ui->setupUi(Form);",
        "    QObject::connect(Form, &QObject::destroyed, [Ui] { delete Ui; });",
        "    return Form;",
        "}",
        f'const TRealFormRegistration Registration("{name}", &Make);',
        f"}} // namespace {ns}",
        "",
    ]
path = os.path.join(out, "real_forms.cpp")
text = "\n".join(units) + "\n"
# Written only when it changed, so that a re-run does not rebuild the unit.
if not os.path.exists(path) or open(path).read() != text:
    with open(path, "w") as f:
        f.write(text)
