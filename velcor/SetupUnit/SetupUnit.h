#pragma once
// The main settings window.
#include <QWidget>

namespace velcor {

class TForm1 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
};

}  // namespace velcor
