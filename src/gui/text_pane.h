#pragma once
// A plain-text pane that tells its window about mouse presses, key releases
// and wheel turns, after (press, release) or before (wheel) it handles them
// itself: the preview's caret indicator and scroll coupling hang on these.

#include <QPlainTextEdit>

namespace quorvex {

class TextPane final : public QPlainTextEdit {
  Q_OBJECT

 public:
  // No word wrap, both scroll bars always shown, `read_only` as given.
  TextPane(const QString& object_name, bool read_only, QWidget* parent);

 signals:
  // After the pane has moved its caret for the press.
  void MouseDown();
  // After the pane has handled the key.
  void KeyUp();
  // Before the pane scrolls for the wheel; `delta` > 0 when the wheel moved
  // away from the user.
  void WheelTurned(int delta);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};

}  // namespace quorvex
