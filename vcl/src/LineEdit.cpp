#include "LineEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <climits>

namespace vcl {

int CharCount(const QString& s) { return CharIndex(s, s.size()); }

int CharIndex(const QString& s, int utf16Pos) {
  const int end = std::clamp(utf16Pos, 0, static_cast<int>(s.size()));
  int count = 0;
  for (int i = 0; i < end; ++i, ++count)
    if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ++i;
  return count;
}

int Utf16Pos(const QString& s, int charIndex) {
  int i = 0;
  for (int n = 0; n < charIndex && i < s.size(); ++n, ++i)
    if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ++i;
  return i;
}

bool IsTyping(const QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty() || !text.at(0).isPrint()) return false;
  const auto mods = event->modifiers() & ~Qt::KeypadModifier;
  return mods != Qt::ControlModifier && mods != (Qt::ControlModifier | Qt::ShiftModifier);
}

LineEdit::LineEdit(QWidget* parent) : QLineEdit(parent) {
  // The limit is ours (see keyPressEvent); Qt's own would also cut text set from code.
  setMaxLength(INT_MAX);
  setAcceptDrops(false);
}

int LineEdit::Room() const {
  if (limit <= 0) return INT_MAX;
  return limit - (CharCount(text()) - CharCount(selectedText()));
}

void LineEdit::InsertLimited(QString text) {
  if (isReadOnly()) return;
  // A single-line edit takes the first line of a pasted text.
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      text.truncate(i);
      break;
    }
  }
  const int room = Room();
  if (room <= 0 && !text.isEmpty()) {
    QApplication::beep();
    return;
  }
  if (CharCount(text) > room) {
    QApplication::beep();
    text.truncate(Utf16Pos(text, room));
  }
  if (!text.isEmpty()) insert(text);
}

void LineEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    InsertLimited(QGuiApplication::clipboard()->text());
    event->accept();
    return;
  }
  if (!isReadOnly() && IsTyping(event)) {
    const QString text = event->text();
    const bool refused = (acceptChar && !std::all_of(text.begin(), text.end(), acceptChar)) ||
                         CharCount(text) > Room();
    if (refused) {
      QApplication::beep();
      event->accept();
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void LineEdit::inputMethodEvent(QInputMethodEvent* event) {
  QString commit = event->commitString();
  if (!commit.isEmpty() && !isReadOnly()) {
    if (acceptChar) commit.removeIf([this](QChar c) { return !acceptChar(c); });
    const int room = std::max(Room(), 0);
    if (CharCount(commit) > room) commit.truncate(Utf16Pos(commit, room));
    if (commit != event->commitString()) {
      QApplication::beep();
      event->setCommitString(commit, event->replacementStart(), event->replacementLength());
    }
  }
  QLineEdit::inputMethodEvent(event);
}

void LineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
    paste->disconnect();
    connect(paste, &QAction::triggered, this, [this] { InsertLimited(QGuiApplication::clipboard()->text()); });
  }
  menu->popup(event->globalPos());
}

void LineEdit::mouseReleaseEvent(QMouseEvent* event) {
  // X11's middle-click paste of the selection would bypass the limit.
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    if (!isReadOnly()) {
      deselect();
      InsertLimited(QGuiApplication::clipboard()->text(QClipboard::Selection));
    }
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

}  // namespace vcl
