#pragma once
// Base classes of the form layer: objects, owned components, string lists, events,
// and the guard that turns an exception leaving a handler into the standard error box.
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vcl {

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// A named object that may own others. An owner frees what it owns when it goes,
// the last created first; freeing an owned component takes it off its owner's list.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner, std::string name = {});
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(index); }
  // An owned component of that name, searched through the whole ownership tree.
  TComponent* FindComponent(std::string_view name) const;

  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

 protected:
  void DestroyComponents();

 private:
  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
  int tag_ = 0;
};

// An ordered list of texts. Controls with items (combo boxes, radio groups) hand out
// one that edits the control directly.
class TStrings {
 public:
  virtual ~TStrings() = default;
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  std::string operator[](int index) const { return Get(index); }
  int Add(const std::string& s);  // index of the new item
  int IndexOf(std::string_view s) const;  // exact match, -1 when absent
  void Assign(const std::vector<std::string>& items);
  std::vector<std::string> ToVector() const;
};

class TStringList : public TStrings {
 public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> items) : items_(items) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override { return items_.at(index); }
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override { items_.clear(); }

 private:
  std::vector<std::string> items_;
};

namespace detail {
// Shows the exception in the standard error box (or hands it to
// TApplication::OnException); never throws.
void ReportHandlerException(std::exception_ptr error) noexcept;
}  // namespace detail

// Runs f where an exception must not go further: every place where Qt hands an event
// to the layer. What leaves f is shown in the standard error box and the program goes on.
// A change made from code inside a handler fires its events unguarded, so an exception
// unwinds the handler that made the change too, up to the outermost guard.
template <class F>
void Guarded(F&& f) noexcept {
  try {
    std::forward<F>(f)();
  } catch (...) {
    detail::ReportHandlerException(std::current_exception());
  }
}

// Calls an event handler if one is set.
template <class Event, class... Args>
void Fire(const Event& event, Args&&... args) {
  if (event) event(std::forward<Args>(args)...);
}

}  // namespace vcl
