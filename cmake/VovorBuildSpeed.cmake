# Build time. A build from nothing (a user's first build, CI) compiles every
# file of the program and its tests; most of that time goes into parsing the
# same library headers again and into linking large test executables.

include(CheckLinkerFlag)

# Precompiled headers for the standard library, GoogleTest and Qt's widgets.
# A compiler cache cannot cache a compile that uses one (unless it is told to
# be sloppy about it), and a developer's rebuilds live on their cache, so the
# default is off when a cache launches the compiler. Clang refuses a
# precompiled header made with other macros instead of ignoring it, so the
# headers are shared between targets with GCC only.
if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache" OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(vovor_pch_default OFF)
else()
  set(vovor_pch_default ON)
endif()
option(VOVOR_PRECOMPILED_HEADERS "Precompile the heavy library headers" ${vovor_pch_default})

# The header sets. Targets that share one must compile with the same flags:
# position-independent code or not (Qt asks for it in libraries, GCC's
# default otherwise), so the Qt libraries and the Qt test executables each
# have a set of their own.
set(vovor_pch_std <algorithm> <array> <atomic> <chrono> <cstdint> <cstring>
  <functional> <map> <memory> <mutex> <optional> <set> <string> <string_view>
  <thread> <utility> <vector>)
set(vovor_pch_CORE ${vovor_pch_std})
set(vovor_pch_TEST ${vovor_pch_std} <gtest/gtest.h> <gmock/gmock.h>)
set(vovor_pch_qt <QObject> <QString> <QWidget> <QLabel> <QPushButton>
  <QComboBox> <QLineEdit> <QCheckBox> <QSpinBox> <QBoxLayout> <QTimer> <QMessageBox>)
set(vovor_pch_QT_LIB ${vovor_pch_std} ${vovor_pch_qt})
set(vovor_pch_QT_TEST ${vovor_pch_std} ${vovor_pch_qt} <gtest/gtest.h> <QApplication> <QTest>)

# Gives `target` the precompiled headers of `kind` (CORE, TEST, QT_LIB,
# QT_TEST): the first target of a kind builds them, the others reuse them.
function(vovor_precompiled_headers target kind)
  if(NOT VOVOR_PRECOMPILED_HEADERS)
    return()
  endif()
  get_property(owner GLOBAL PROPERTY vovor_pch_owner_${kind})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    target_precompile_headers(${target} PRIVATE ${vovor_pch_${kind}})
    set_property(GLOBAL PROPERTY vovor_pch_owner_${kind} ${target})
  endif()
  # A precompiled header GCC cannot use is parsed as text: slower, not
  # wrong, so it warns and never fails the build.
  target_compile_options(${target} PRIVATE -Wno-error=invalid-pch)
  # GCC before 13 forgets the libraries' own "#pragma GCC diagnostic ignored"
  # when it loads their headers precompiled, and the false alarms those
  # pragmas silence come back from inlined library code (std::string's
  # operator+ trips -Warray-bounds). They stay on where nothing is
  # precompiled: every build with a compiler cache.
  if(CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow
      -Wno-stringop-overread -Wno-maybe-uninitialized)
  endif()
endfunction()

# lld links faster than the default linker, which counts for the large test
# executables; used when the compiler can call it.
option(VOVOR_FAST_LINKER "Link with lld when it is installed" ON)
if(VOVOR_FAST_LINKER)
  check_linker_flag(CXX -fuse-ld=lld VOVOR_HAVE_LLD)
  if(VOVOR_HAVE_LLD)
    add_link_options(-fuse-ld=lld)
  endif()
endif()
