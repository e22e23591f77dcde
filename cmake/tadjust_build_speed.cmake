# What keeps a build from nothing short on a machine of two cores (docs/building.md).
#
# Most of a translation unit's time goes into the same Qt, GoogleTest and standard headers, our
# own headers and the same template instances, and most of a test program's link into the debug
# information of the libraries it links. So:
#   - each target's sources are compiled as one unit (a unity build);
#   - the headers every target includes are precompiled once per kind of target and shared
#     (REUSE_FROM) by every target of that kind: the libraries that use Qt Core, those that use
#     Qt Widgets, the plain tests and the tests that run a QApplication;
#   - in CI (a fresh clone, built once to run the tests) no debug information and no compiler
#     cache;
#   - the programs are linked with lld where the system has it.
# GCC takes a precompiled header only when the target compiles it with the same settings that
# matter (optimisation, -fPIC against -fPIE, the macros defined); -Winvalid-pch in
# tadjust_warnings makes any unit that falls back to the plain headers say so.

# A precompiled header is never made twice alike, and ccache hashes it into the key of every unit
# that takes it: with precompiled headers, a build tree of its own (a new work tree, a fresh
# clone) misses the cache shared by all work trees in nearly every unit. So they are on where that
# cache cannot help anyway: in CI (a fresh clone, CI=true) and without ccache.
if(DEFINED ENV{CI} OR NOT CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
  set(precompiled_headers_default ON)
else()
  set(precompiled_headers_default OFF)
endif()
option(TADJUST_PRECOMPILED_HEADERS "Share precompiled Qt, GoogleTest and standard headers"
       ${precompiled_headers_default})

# In CI every unit takes a precompiled header made anew in a fresh clone, so the compiler cache
# never finds one of its units: it would only hash each header again and store what nobody
# reads (about two minutes of a build from nothing on two cores). The units are compiled
# directly there.
if(DEFINED ENV{CI} AND TADJUST_PRECOMPILED_HEADERS)
  set(CMAKE_CXX_COMPILER_LAUNCHER "")
endif()

include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=lld TADJUST_HAVE_LLD)
if(TADJUST_HAVE_LLD)
  add_link_options(-fuse-ld=lld)
endif()

# The standard headers most sources include.
set(TADJUST_PCH_STANDARD
    <algorithm> <array> <chrono> <cmath> <cstdint> <functional> <map> <memory> <optional>
    <string> <string_view> <utility> <vector>)
# Qt Core's, for the libraries that use Qt but no window.
set(TADJUST_PCH_QT_CORE
    <QByteArray> <QDateTime> <QDir> <QFile> <QLocale> <QString> <QStringList> <QTimer>)
# Qt Widgets', for the libraries and tests that build the window. QtTest stays out: it reads
# QT_TESTCASE_BUILDDIR, which names each test folder, so one header could not serve them all.
set(TADJUST_PCH_QT_WIDGETS
    <QApplication> <QCheckBox> <QComboBox> <QLabel> <QLineEdit> <QPushButton> <QWidget>)
set(TADJUST_PCH_GTEST <gtest/gtest.h> <gmock/gmock.h>)

# GCC refuses a precompiled header in a unit that lacks a macro defined where the header was
# compiled (QT_PRINTSUPPORT_LIB, say). So each kind's header is compiled by a small target of its
# own that links only what every user of that kind links, and every user reuses it.

# tadjust_precompiled_headers_owner(<kind>): the target that compiles the kind's headers.
function(tadjust_precompiled_headers_owner kind out)
  set(owner tadjust_headers_${kind})
  set(${out} ${owner} PARENT_SCOPE)
  if(TARGET ${owner})
    return()
  endif()
  set(source "${CMAKE_BINARY_DIR}/tadjust_headers.cpp")
  if(NOT EXISTS "${source}")
    file(WRITE "${source}" "int main() { return 0; }\n")
  endif()
  if(kind STREQUAL "CORE")
    set(headers ${TADJUST_PCH_STANDARD} ${TADJUST_PCH_QT_CORE})
    set(libraries Qt6::Core)
  elseif(kind STREQUAL "WIDGETS")
    set(headers ${TADJUST_PCH_STANDARD} ${TADJUST_PCH_QT_CORE} ${TADJUST_PCH_QT_WIDGETS})
    set(libraries Qt6::Widgets)
  elseif(kind STREQUAL "TEST")
    set(headers ${TADJUST_PCH_STANDARD} ${TADJUST_PCH_GTEST})
    set(libraries GTest::gmock)
  elseif(kind STREQUAL "TEST_QT")
    set(headers ${TADJUST_PCH_STANDARD} ${TADJUST_PCH_GTEST} ${TADJUST_PCH_QT_CORE}
                ${TADJUST_PCH_QT_WIDGETS})
    set(libraries GTest::gmock Qt6::Widgets)
  else()
    message(FATAL_ERROR "no precompiled headers of the kind ${kind}")
  endif()
  # The owner is compiled as its users are: a library for the libraries (-fPIC), a program for
  # the tests, which are all compiled -fPIC as Qt asks of its programs (tadjust_add_test).
  if(kind MATCHES "^TEST")
    add_executable(${owner} EXCLUDE_FROM_ALL "${source}")
    target_compile_options(${owner} PRIVATE -fPIC)
  else()
    add_library(${owner} STATIC EXCLUDE_FROM_ALL "${source}")
  endif()
  set_target_properties(${owner} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  target_link_libraries(${owner} PRIVATE ${libraries} tadjust_warnings)
  target_precompile_headers(${owner} PRIVATE ${headers})
endfunction()

# tadjust_precompile_headers(<target> <kind>)
#   The target takes the precompiled headers of its kind: CORE (a library on Qt Core), WIDGETS
#   (a library on Qt Widgets), TEST (a test program) or TEST_QT (a test program that runs a
#   QApplication). tadjust_add_test gives the test programs theirs.
function(tadjust_precompile_headers target kind)
  if(NOT TADJUST_PRECOMPILED_HEADERS)
    return()
  endif()
  tadjust_precompiled_headers_owner(${kind} owner)
  target_precompile_headers(${target} REUSE_FROM ${owner})
endfunction()

# CI builds to run the tests once, never to debug them: without debug information every unit
# compiles sooner, the precompiled headers shrink to a fraction (each unit reads its header
# anew) and the programs link sooner (docs/building.md). Elsewhere the build keeps it.
if(DEFINED ENV{CI})
  add_compile_options(-g0)
endif()

# Each target's sources compiled as one unit (a unity build): a source alone spends most of its
# time parsing our headers and instantiating the same templates as every other source of its
# library or test program (docs/building.md). The names a source keeps to itself (its anonymous
# namespace) must therefore not be used by another source of the same target.
option(TADJUST_UNITY_BUILD "Compile the sources of each target together" ON)
set(TADJUST_UNITY_BATCH_SIZE 0 CACHE STRING "Sources compiled together at most (0: all of a target's)")
set(CMAKE_UNITY_BUILD ${TADJUST_UNITY_BUILD})
set(CMAKE_UNITY_BUILD_BATCH_SIZE ${TADJUST_UNITY_BATCH_SIZE})
