#pragma once
// Helpers shared by the layer's sources.
#include <string>

#include <QObject>
#include <QString>

#include "vcl/Classes.h"

namespace vcl::detail {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

// Non-zero while controls are being freed: widgets then send signals and focus
// events that must not reach handlers of a half-destroyed form.
extern int tearingDown;

// Connects a signal of a layer widget to the layer, guarded against exceptions.
template <class Sender, class Signal, class F>
void OnSignal(Sender* sender, Signal signal, F f) {
  QObject::connect(sender, signal, sender, [f](auto... args) {
    if (tearingDown) return;
    Guarded([&] { f(args...); });
  });
}

// Counts a change made from code so that the Qt signal it causes is ignored.
class Quiet {
 public:
  explicit Quiet(int& counter) : counter_(counter) { ++counter_; }
  ~Quiet() { --counter_; }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  int& counter_;
};

}  // namespace vcl::detail
