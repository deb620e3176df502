# Shorter builds: the big headers (the standard library, Qt, GoogleTest) are
# parsed once per kind of target instead of once per file, and each test
# folder compiles in a few translation units instead of one per file.

option(ZORVEX_PCH "Precompile the standard, Qt and GoogleTest headers" ON)
option(ZORVEX_UNITY "Compile each test folder in a few translation units" ON)

# GCC 12 loses the system-header status of precompiled libstdc++ code and
# then reports its known false bounds warnings inside std::string (the
# sanitizer build checks the bounds of our code as it runs).
if(ZORVEX_PCH AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
endif()

set(zorvex_std_headers
  <algorithm> <array> <cstddef> <cstdint> <cstring> <filesystem> <fstream> <functional> <map>
  <memory> <optional> <set> <sstream> <string> <string_view> <unordered_map> <utility> <vector>)
# The Qt headers most files use: the whole modules would make a header so big
# that loading it costs more than it saves.
set(zorvex_qt_headers
  <QApplication> <QCheckBox> <QDir> <QFile> <QFrame> <QImage> <QLineEdit> <QMenu> <QMenuBar>
  <QMouseEvent> <QPainter> <QPlainTextEdit> <QPushButton> <QString> <QTimer> <QToolButton> <QWidget>)

# The kinds of target that can share one precompiled header: same compiler
# flags, same macros that the headers look at.
#   CORE   window-free libraries and benchmarks (no Qt)
#   UI     libraries and programs built on Qt Widgets
#   TOOLS  zorvex-cli and its commands (UI with CLI11 and nlohmann-json)
#   TEST   GoogleTest binaries without Qt
#   QTTEST GoogleTest binaries with a QApplication
set(zorvex_pch_CORE ${zorvex_std_headers})
set(zorvex_pch_UI ${zorvex_std_headers} ${zorvex_qt_headers})
set(zorvex_pch_TOOLS ${zorvex_pch_UI} <CLI/CLI.hpp> <nlohmann/json.hpp>)
set(zorvex_pch_TEST ${zorvex_std_headers} <gtest/gtest.h>)
set(zorvex_pch_QTTEST ${zorvex_std_headers} <gtest/gtest.h> ${zorvex_qt_headers} <QTest>)

# What a target of each kind links, which gives it its flags and macros.
set(zorvex_pch_libs_CORE Threads::Threads)
set(zorvex_pch_libs_UI Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Svg)
set(zorvex_pch_libs_TOOLS ${zorvex_pch_libs_UI} nlohmann_json::nlohmann_json)
set(zorvex_pch_libs_TEST GTest::gtest Threads::Threads)
set(zorvex_pch_libs_QTTEST Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Svg Qt6::Test GTest::gtest)

# The header of a kind is compiled by a target of its own that has only the
# macros every target of the kind has (GCC refuses a header made with a macro
# the file lacks), so no target waits for another kind's build or fails with it.
function(zorvex_pch_donor kind)
  set(donor zorvex_pch_${kind})
  if(TARGET ${donor})
    return()
  endif()
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${donor}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// Compiles the precompiled header only.\n")
  add_library(${donor} OBJECT ${source})
  target_link_libraries(${donor} PRIVATE ${zorvex_pch_libs_${kind}})
  zorvex_kind_flags(${donor} ${kind})
  set_target_properties(${donor} PROPERTIES AUTOMOC OFF)
  target_precompile_headers(${donor} PRIVATE ${zorvex_pch_${kind}})
endfunction()

# Targets without Qt have nothing for moc; the window-free code carries the
# fuzzing build's coverage instrumentation (see cmake/ZorvexFuzzing.cmake).
# Test code is optimised no further than -O1, which saves a quarter of its
# compile time: the code it tests is built as usual.
function(zorvex_kind_flags target kind)
  if(kind STREQUAL "CORE" OR kind STREQUAL "TEST")
    set_target_properties(${target} PROPERTIES AUTOMOC OFF)
  endif()
  if(kind STREQUAL "CORE")
    zorvex_fuzz_coverage(${target})
  endif()
  if(kind MATCHES "TEST$" AND CMAKE_BUILD_TYPE MATCHES "^(RelWithDebInfo|Release)$")
    target_compile_options(${target} PRIVATE -O1)
  endif()
endfunction()

# Gives TARGET what the targets of KIND share.
function(zorvex_kind target kind)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    return()
  endif()
  zorvex_kind_flags(${target} ${kind})
  if(ZORVEX_PCH)
    zorvex_pch_donor(${kind})
    target_precompile_headers(${target} REUSE_FROM zorvex_pch_${kind})
  endif()
endfunction()

# Test files of one folder, eight to a translation unit. A file whose local
# helpers clash with another's is kept apart by
#   set_source_files_properties(FILE PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
function(zorvex_unity target)
  if(ZORVEX_UNITY)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  endif()
endfunction()
