// Widget tests run GoogleTest inside a QApplication on the offscreen platform.
#include <QApplication>
#include <gtest/gtest.h>

#if defined(__SANITIZE_THREAD__)
// Qt is not built with ThreadSanitizer: its raster engine hands fills and
// image conversions to a thread pool of its own and synchronises through
// atomics the sanitizer cannot see. The widget tests therefore do not judge
// races that pass through Qt; our threads are checked by the Qt-free suites.
extern "C" const char *__tsan_default_suppressions() {
  return "race:libQt6Core.so\n"
         "race:libQt6Gui.so\n";
}
#endif

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
