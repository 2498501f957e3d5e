# The library's targets as a package: export macros, the version header, the
# headers a program needs, and the CMake package that find_package(Glotta) reads.
include(GenerateExportHeader)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Generated headers (export macros, version) live under one include root of the
# build tree, with the same paths they get when installed.
set(GLOTTA_GENERATED_INCLUDE ${PROJECT_BINARY_DIR}/include)
set(GLOTTA_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/Glotta)
set(GLOTTA_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Glotta)

# glotta_library(TARGET EXPORT_NAME Name BASE_NAME base HEADER dir/base_export.h SOURCES ...)
# One layer of the library: static or shared after BUILD_SHARED_LIBS; a shared
# one exports only what its headers mark with BASE_EXPORT.
function(glotta_library target)
  cmake_parse_arguments(ARG "" "EXPORT_NAME;BASE_NAME;HEADER" "SOURCES" ${ARGN})
  add_library(${target} ${ARG_SOURCES})
  add_library(Glotta::${ARG_EXPORT_NAME} ALIAS ${target})
  # For a static library the macros are empty: its symbols are linked into the program.
  generate_export_header(${target} BASE_NAME ${ARG_BASE_NAME}
    EXPORT_FILE_NAME ${GLOTTA_GENERATED_INCLUDE}/${ARG_HEADER})
  set_target_properties(${target} PROPERTIES
    EXPORT_NAME ${ARG_EXPORT_NAME}
    OUTPUT_NAME Glotta${ARG_EXPORT_NAME}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})
  # The headers are C++20; a program that includes them is compiled as such.
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<BUILD_INTERFACE:${GLOTTA_GENERATED_INCLUDE}>
    $<INSTALL_INTERFACE:${GLOTTA_INSTALL_INCLUDEDIR}>)
  set_property(GLOBAL APPEND PROPERTY GLOTTA_PACKAGE_TARGETS ${target})
endfunction()

# The headers a program includes, and every project header they include in
# turn (found by following their #include lines), so an installed header never
# names one that was left out. Everything else stays private to the build.
function(glotta_public_headers_closure out)
  set(todo ${ARGN})
  set(seen)
  while(todo)
    list(POP_FRONT todo header)
    if(header IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${header})
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${header})
      continue() # a generated header, installed from the build tree
    endif()
    file(STRINGS ${PROJECT_SOURCE_DIR}/${header} lines REGEX "^#include \"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
      list(APPEND todo ${included})
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Called once every layer exists: installs the targets, the headers and the package.
function(glotta_install_package)
  get_property(targets GLOBAL PROPERTY GLOTTA_PACKAGE_TARGETS)
  install(TARGETS ${targets} EXPORT GlottaTargets
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

  glotta_public_headers_closure(headers ${ARGN})
  foreach(header IN LISTS headers)
    get_filename_component(dir ${header} DIRECTORY)
    if(EXISTS ${PROJECT_SOURCE_DIR}/${header})
      install(FILES ${PROJECT_SOURCE_DIR}/${header} DESTINATION ${GLOTTA_INSTALL_INCLUDEDIR}/${dir})
    elseif(EXISTS ${GLOTTA_GENERATED_INCLUDE}/${header})
      install(FILES ${GLOTTA_GENERATED_INCLUDE}/${header} DESTINATION ${GLOTTA_INSTALL_INCLUDEDIR}/${dir})
    endif()
  endforeach()

  install(EXPORT GlottaTargets NAMESPACE Glotta:: DESTINATION ${GLOTTA_INSTALL_CMAKEDIR})
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/GlottaConfig.cmake.in
    ${PROJECT_BINARY_DIR}/GlottaConfig.cmake INSTALL_DESTINATION ${GLOTTA_INSTALL_CMAKEDIR})
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/GlottaConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/GlottaConfig.cmake ${PROJECT_BINARY_DIR}/GlottaConfigVersion.cmake
    DESTINATION ${GLOTTA_INSTALL_CMAKEDIR})
endfunction()
