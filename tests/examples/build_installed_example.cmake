# cmake -P: installs the build in GLOTTA_BUILD_DIR into a fresh prefix under
# SCRATCH_DIR, checks what the prefix holds, configures and builds the
# examples in EXAMPLES_DIR against it, runs the workshop's self-check and
# the engine-only console program.
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}")
  endif()
  message(STATUS "${what}: done")
endfunction()

set(prefix ${SCRATCH_DIR}/prefix)
set(build ${SCRATCH_DIR}/build)
file(REMOVE_RECURSE ${SCRATCH_DIR})

run("cmake --install" ${CMAKE_COMMAND} --install ${GLOTTA_BUILD_DIR} --prefix ${prefix})

# The package and the public headers are there; the installer's pieces and
# the library's private headers are not.
file(GLOB_RECURSE config ${prefix}/*/GlottaConfig.cmake ${prefix}/*/GlottaConfigVersion.cmake)
list(LENGTH config found)
if(NOT found EQUAL 2)
  message(FATAL_ERROR "the prefix lacks the package configuration: ${config}")
endif()
foreach(header glotta/glotta_version.h glotta/widgets/glotta_engine.h glotta/widgets/glotta_client.h
               glotta/engine/resources_translator.h glotta/widgets/glotta_widgets_export.h)
  if(NOT EXISTS ${prefix}/include/Glotta/${header})
    message(FATAL_ERROR "the prefix lacks ${header}")
  endif()
endforeach()
file(GLOB_RECURSE unwanted ${prefix}/*dilnex* ${prefix}/*installer* ${prefix}/*package_server*
     ${prefix}/include/Glotta/glotta/engine/exchange/* ${prefix}/include/Glotta/glotta/widgets/client/*)
# Of the exchange code only the template of a running program is public
# (WriteTemplateOfEngine), with the catalog headers it includes.
foreach(public catalog_template.h catalog_language_file.h translation_catalog.h)
  list(REMOVE_ITEM unwanted ${prefix}/include/Glotta/glotta/engine/exchange/${public})
endforeach()
if(unwanted)
  message(FATAL_ERROR "the prefix holds what is not the library's to install: ${unwanted}")
endif()

set(flags "")
if(SANITIZE_FLAGS)
  set(flags -DCMAKE_CXX_FLAGS=${SANITIZE_FLAGS} -DCMAKE_EXE_LINKER_FLAGS=${SANITIZE_FLAGS})
endif()
run("configuring the examples" ${CMAKE_COMMAND} -S ${EXAMPLES_DIR} -B ${build}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=${BUILD_TYPE} ${flags})
run("building the examples" ${CMAKE_COMMAND} --build ${build} -j2)
run("the workshop's self-check" ${build}/workshop/workshop --self-check)
run("the engine alone, switching the workshop's languages"
    ${build}/console/console ${build}/workshop/lang)
