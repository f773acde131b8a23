#include "vcl/Classes.h"

#include <algorithm>
#include <stdexcept>

#include "vcl/Forms.h"

namespace vcl {

TComponent::TComponent(TComponent* owner, std::string name) : owner_(owner), name_(std::move(name)) {
  if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (owner_) std::erase(owner_->components_, this);
}

void TComponent::DestroyComponents() {
  // Each owned component takes itself off the list as it goes.
  while (!components_.empty()) delete components_.back();
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  for (TComponent* c : components_) {
    if (c->name_ == name) return c;
    if (TComponent* found = c->FindComponent(name)) return found;
  }
  return nullptr;
}

int TStrings::Add(const std::string& s) {
  const int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::IndexOf(std::string_view s) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (Get(i) == s) return i;
  return -1;
}

void TStrings::Assign(const std::vector<std::string>& items) {
  Clear();
  for (const std::string& s : items) Add(s);
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> out;
  for (int i = 0, n = Count(); i < n; ++i) out.push_back(Get(i));
  return out;
}

void TStringList::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  items_.insert(items_.begin() + index, s);
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  items_.erase(items_.begin() + index);
}

namespace detail {

void ReportHandlerException(std::exception_ptr error) noexcept {
  std::string message;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unknown exception";
  }
  try {
    if (Application && Application->OnException) {
      Application->OnException(Application, message);
    } else {
      ShowExceptionBox(message);
    }
  } catch (...) {
    // The error box itself failed; nothing is left to tell the user with.
  }
}

}  // namespace detail
}  // namespace vcl
