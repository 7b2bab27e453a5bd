#include "gui/text_pane.h"

#include <QWheelEvent>

namespace quorvex {

TextPane::TextPane(const QString& object_name, bool read_only, QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(object_name);
  setReadOnly(read_only);
  setUndoRedoEnabled(!read_only);  // what only the program writes needs no undo
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setWordWrapMode(QTextOption::NoWrap);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TextPane::mousePressEvent(QMouseEvent* event) {
  QPlainTextEdit::mousePressEvent(event);
  emit MouseDown();
}

void TextPane::keyReleaseEvent(QKeyEvent* event) {
  QPlainTextEdit::keyReleaseEvent(event);
  emit KeyUp();
}

void TextPane::wheelEvent(QWheelEvent* event) {
  emit WheelTurned(event->angleDelta().y());
  QPlainTextEdit::wheelEvent(event);
}

}  // namespace quorvex
