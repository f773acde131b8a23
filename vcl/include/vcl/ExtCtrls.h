#pragma once
// Panels and radio groups.
#include <memory>
#include <string>
#include <vector>

#include "vcl/StdCtrls.h"

class QAbstractButton;
class QButtonGroup;
class QFrame;
class QGridLayout;
class QLabel;

namespace vcl {

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
 public:
  TPanel(TWinControl* parent, std::string name);
  QFrame* Widget() const;

  std::string Caption() const;
  void SetCaption(const std::string& caption);  // centred, under the children
  void SetBevelOuter(TBevelCut bevel);

 private:
  QLabel* caption_;
};

// A group box of radio buttons, laid out in Columns filled top to bottom. ItemIndex -1
// selects nothing. A changed ItemIndex fires OnClick, from code as from the user; a
// click on the selected item fires nothing.
class TRadioGroup : public TGroupBox {
 public:
  TRadioGroup(TWinControl* parent, std::string name);
  ~TRadioGroup() override;

  TStrings& Items() { return *items_; }
  int ItemIndex() const { return index_; }
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  // The radio button of an item, for tests and tools.
  QAbstractButton* ItemButton(int index) const;

  TNotifyEvent OnClick;

 private:
  class ItemList;
  void Rebuild();
  void Check(int index);
  void ButtonClicked(int index);

  std::unique_ptr<TStrings> items_;
  std::vector<std::string> texts_;
  QButtonGroup* group_;
  QGridLayout* layout_;
  int index_ = -1;
  int columns_ = 1;
};

}  // namespace vcl
