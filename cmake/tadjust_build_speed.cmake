# What keeps a build from nothing short on a machine of two cores (docs/building.md).
#
# Most of a translation unit's time goes into the same Qt, GoogleTest and standard headers, and
# most of a test program's link into the debug information of the libraries it links. So:
#   - the headers every target includes are precompiled once per kind of target and shared
#     (REUSE_FROM) by every target of that kind: the libraries that use Qt Core, those that use
#     Qt Widgets, the plain tests and the tests that run a QApplication;
#   - the programs are linked with lld where the system has it.
# GCC takes a precompiled header only when the target compiles it with the same settings that
# matter (optimisation, -fPIC against -fPIE, the macros the header reads); -Winvalid-pch in
# tadjust_warnings makes any unit that falls back to the plain headers say so.

option(TADJUST_PRECOMPILED_HEADERS "Share precompiled Qt, GoogleTest and standard headers" ON)

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

# tadjust_precompile_headers(<target> <kind>)
#   The target takes the precompiled headers of its kind: CORE (a library on Qt Core) or WIDGETS
#   (a library on Qt Widgets). The first target of a kind compiles them; the others reuse them.
function(tadjust_precompile_headers target kind)
  if(NOT TADJUST_PRECOMPILED_HEADERS)
    return()
  endif()
  get_property(owner GLOBAL PROPERTY TADJUST_PCH_OWNER_${kind})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
    return()
  endif()
  if(kind STREQUAL "CORE")
    set(headers ${TADJUST_PCH_STANDARD} ${TADJUST_PCH_QT_CORE})
  elseif(kind STREQUAL "WIDGETS")
    set(headers ${TADJUST_PCH_STANDARD} ${TADJUST_PCH_QT_CORE} ${TADJUST_PCH_QT_WIDGETS})
  else()
    message(FATAL_ERROR "tadjust_precompile_headers: no kind ${kind} (CORE or WIDGETS)")
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
  set_property(GLOBAL PROPERTY TADJUST_PCH_OWNER_${kind} ${target})
endfunction()

# tadjust_test_precompile_headers(<test target> QT|PLAIN)
#   A test program takes the tests' precompiled headers: GoogleTest with the standard headers,
#   and Qt Widgets' too for the programs that run a QApplication. The headers are compiled by a
#   small program of their own, as a test program is compiled (-fPIE).
function(tadjust_test_precompile_headers target kind)
  if(NOT TADJUST_PRECOMPILED_HEADERS)
    return()
  endif()
  set(owner tadjust_test_headers_${kind})
  if(NOT TARGET ${owner})
    set(main "${CMAKE_BINARY_DIR}/tadjust_test_headers.cpp")
    if(NOT EXISTS "${main}")
      file(WRITE "${main}" "int main() { return 0; }\n")
    endif()
    add_executable(${owner} "${main}")
    set_target_properties(${owner} PROPERTIES POSITION_INDEPENDENT_CODE ON AUTOMOC OFF AUTOUIC OFF)
    set(headers ${TADJUST_PCH_STANDARD} ${TADJUST_PCH_GTEST})
    if(kind STREQUAL "QT")
      list(APPEND headers ${TADJUST_PCH_QT_CORE} ${TADJUST_PCH_QT_WIDGETS})
      target_link_libraries(${owner} PRIVATE Qt6::Widgets)
    endif()
    target_link_libraries(${owner} PRIVATE GTest::gmock tadjust_warnings)
    target_precompile_headers(${owner} PRIVATE ${headers})
  endif()
  target_precompile_headers(${target} REUSE_FROM ${owner})
endfunction()
