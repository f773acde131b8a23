#include "vcl/Memo.h"

#include <QApplication>
#include <QFont>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <climits>
#include <stdexcept>

#include "Internal.h"
#include "LineEdit.h"

namespace vcl {

using detail::OnSignal;
using detail::Q;
using detail::Quiet;
using detail::S;

namespace {

// One "\n" per line break, whatever the source wrote.
QString Normalized(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  for (QChar& c : text)
    if (c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\n';
  return text;
}

}  // namespace

// The plain-text edit behind TMemo: applies the length limit to what the user types,
// pastes or commits through an input method, never to text set from code.
class MemoEdit : public QPlainTextEdit {
 public:
  MemoEdit() {
    setTabChangesFocus(true);
    setAcceptDrops(false);  // a dropped text would have to be limited as well
  }

  int limit = 0;  // 0: none

  // The text with "\n" line breaks. Unlike toPlainText() it keeps non-breaking spaces.
  QString PlainText() const { return Normalized(document()->toRawText()); }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (!isReadOnly()) {
      int inserted = 0;
      if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        inserted = 1;
      } else if (IsTyping(event)) {
        inserted = CharCount(event->text());
      }
      if (inserted > 0 && inserted > Room()) {
        QApplication::beep();
        event->accept();
        return;
      }
    }
    QPlainTextEdit::keyPressEvent(event);
  }

  // Every paste comes here: the paste keys, the context menu, X11's middle click.
  void insertFromMimeData(const QMimeData* source) override {
    if (isReadOnly() || !source->hasText()) return;
    QString text = Normalized(source->text());
    const int room = Room();
    if (CharCount(text) > room) {
      QApplication::beep();
      text.truncate(Utf16Pos(text, std::max(room, 0)));
    }
    if (text.isEmpty()) return;
    QMimeData limited;
    limited.setText(text);
    QPlainTextEdit::insertFromMimeData(&limited);
  }

  void inputMethodEvent(QInputMethodEvent* event) override {
    QString commit = event->commitString();
    if (!commit.isEmpty() && !isReadOnly()) {
      const int room = std::max(Room(), 0);
      if (CharCount(commit) > room) {
        QApplication::beep();
        commit.truncate(Utf16Pos(commit, room));
        event->setCommitString(commit, event->replacementStart(), event->replacementLength());
      }
    }
    QPlainTextEdit::inputMethodEvent(event);
  }

 private:
  // Characters that may still be inserted; a selection is replaced, so it makes room.
  int Room() const {
    if (limit <= 0) return INT_MAX;
    return limit - (CharCount(PlainText()) - CharCount(textCursor().selectedText()));
  }
};

// Lines() edits the whole text: each change is one SetText, so one OnChange. The text
// it writes ends every line with a break, so that any list of lines reads back as it
// was, a last empty line included.
class TMemo::LineList : public TStrings {
 public:
  explicit LineList(TMemo& memo) : memo_(memo) {}

  int Count() const override { return static_cast<int>(Split().size()); }
  std::string Get(int index) const override {
    const QStringList lines = Split();
    Check(index, lines.size());
    return S(lines[index]);
  }
  void Insert(int index, const std::string& s) override {
    QStringList lines = Split();
    Check(index, lines.size() + 1);
    lines.insert(index, Normalized(Q(s)));
    memo_.SetText(Joined(lines));
  }
  void Delete(int index) override {
    QStringList lines = Split();
    Check(index, lines.size());
    lines.removeAt(index);
    memo_.SetText(Joined(lines));
  }
  void Clear() override { memo_.SetText({}); }

 private:
  QStringList Split() const {
    QStringList lines = memo_.edit_->PlainText().split(u'\n');
    if (lines.back().isEmpty()) lines.removeLast();
    return lines;
  }
  static std::string Joined(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) text += line + u'\n';
    return S(text);
  }
  static void Check(int index, qsizetype end) {
    if (index < 0 || index >= end) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
  TMemo& memo_;
};

TMemo::TMemo(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name), new MemoEdit),
      edit_(static_cast<MemoEdit*>(Handle())),
      lines_(std::make_unique<LineList>(*this)) {
  SetScrollBars(TScrollStyle::ssNone);
  SetWordWrap(true);
  OnSignal(edit_, &QPlainTextEdit::textChanged, [this] { TextChanged(); });
}

TMemo::~TMemo() = default;

QPlainTextEdit* TMemo::Widget() const { return edit_; }
std::string TMemo::Text() const { return S(edit_->PlainText()); }

void TMemo::TextChanged() {
  if (quiet_) return;
  // Qt also reports edits that leave the text as it was (a format, an empty undo step).
  QString now = edit_->PlainText();
  if (now == last_) return;
  last_ = std::move(now);
  Fire(OnChange, this);
}

void TMemo::SetText(const std::string& text) {
  const QString q = Normalized(Q(text));
  if (q == edit_->PlainText()) return;
  {
    Quiet quiet(quiet_);
    edit_->setPlainText(q);
    edit_->moveCursor(QTextCursor::Start);
  }
  last_ = edit_->PlainText();
  Fire(OnChange, this);
}

int TMemo::MaxLength() const { return edit_->limit; }
void TMemo::SetMaxLength(int maxLength) { edit_->limit = std::max(maxLength, 0); }
bool TMemo::ReadOnly() const { return edit_->isReadOnly(); }
void TMemo::SetReadOnly(bool readOnly) { edit_->setReadOnly(readOnly); }

void TMemo::SetScrollBars(TScrollStyle scrollBars) {
  scrollBars_ = scrollBars;
  const bool horizontal = scrollBars == TScrollStyle::ssHorizontal || scrollBars == TScrollStyle::ssBoth;
  const bool vertical = scrollBars == TScrollStyle::ssVertical || scrollBars == TScrollStyle::ssBoth;
  edit_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  edit_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

bool TMemo::WordWrap() const { return edit_->lineWrapMode() != QPlainTextEdit::NoWrap; }

void TMemo::SetWordWrap(bool wordWrap) {
  edit_->setLineWrapMode(wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

bool TMemo::FontBold() const { return edit_->font().bold(); }

void TMemo::SetFontBold(bool bold) {
  QFont font = edit_->font();
  font.setBold(bold);
  edit_->setFont(font);
}

}  // namespace vcl
