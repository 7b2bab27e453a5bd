#include "gui_test_support.h"

#include <QDropEvent>
#include <QImage>
#include <QLocale>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>

// LeakSanitizer builds: the font configuration library that Qt loads keeps
// its caches for the life of the process on purpose; nothing of ours leaks there.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace quorvex::testing {

QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "quorvex";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    auto* made = new QApplication(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("1.5.0.18"));
    QLocale::setDefault(QLocale::c());  // report times as HH:MM:SS
    return made;
  }();
  return *app;
}

bool Drop(QWidget& window, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &dropped);
  return true;
}

std::vector<std::string> ReportLines(const QPlainTextEdit& memo) {
  static const QRegularExpression kTime(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d"));
  std::vector<std::string> lines;
  for (const QString& line : memo.toPlainText().split(u'\n')) {
    QString text = line;
    const QRegularExpressionMatch time = kTime.match(text);
    if (time.hasMatch()) text.remove(0, time.capturedLength());
    lines.push_back(text.toStdString());
  }
  return lines;
}

bool HasText(const QImage& image) {
  int dark = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 64) ++dark;
    }
  }
  return dark > 100;
}

}  // namespace quorvex::testing
