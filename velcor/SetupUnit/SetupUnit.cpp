#include "SetupUnit/SetupUnit.h"

namespace velcor {

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
  setObjectName("Form1");
  setWindowTitle(QString::fromUtf8("  Конфигуратор Tormela"));
  setFixedSize(497, 629);
}

}  // namespace velcor
