#pragma once
// The line edit behind TEdit and TSpinEdit. It applies the length limit where a classic
// edit control does (typed and pasted text), never to text set from code, and can
// refuse typed characters.
#include <functional>

#include <QLineEdit>
#include <QString>

class QKeyEvent;

namespace vcl {

// Character counts and positions: a character is a code point, so a surrogate
// pair counts once and is never cut.
int CharCount(const QString& s);
int CharIndex(const QString& s, int utf16Pos);  // UTF-16 position -> characters
int Utf16Pos(const QString& s, int charIndex);  // characters -> UTF-16, clamped
// What Qt's edits would take as typed text (printable, no Ctrl).
bool IsTyping(const QKeyEvent* event);

class LineEdit : public QLineEdit {
 public:
  explicit LineEdit(QWidget* parent = nullptr);

  int limit = 0;  // 0: none
  std::function<bool(QChar)> acceptChar;  // typed characters only; null accepts all

  // Inserts at the caret what still fits under the limit, up to the first line break.
  void InsertLimited(QString text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int Room() const;  // characters that may still be inserted; INT_MAX without limit
};

}  // namespace vcl
