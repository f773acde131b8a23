#pragma once
// The editor in a folder of its own: a working folder for Tor-Mela.ini, a program
// folder for TMS/BD.tms, and a machine prefix for the registry, ports and drive C:.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>

#include "SetupUnit/SetupUnit.h"
#include "TempDir.h"
#include "host/codec.h"
#include "host/files.h"
#include "host/paths.h"
#include "host/prefix.h"
#include "vcl/testing/Harness.h"

namespace velcor::testing {

namespace fs = std::filesystem;

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(work());
    fs::create_directories(program());
    saved_ = fs::current_path();
    fs::current_path(work());
    host::setProgramFolder(program());
  }
  void TearDown() override {
    form_.reset();
    fs::current_path(saved_);
    host::setProgramFolder({});
  }

  fs::path work() const { return dir_ / "work"; }
  fs::path program() const { return dir_ / "prog"; }
  fs::path iniPath() const { return work() / "Tor-Mela.ini"; }

  // Text of the settings file, given in UTF-8 and stored as Windows-1251.
  void writeIni(const std::string& text) { host::writeFileAtomic(iniPath(), host::cp1251::fromUtf8(text)); }
  std::string readIni() const { return host::cp1251::toUtf8(host::readFile(iniPath())); }

  // Serial ports COMn of the machine, as links in the prefix.
  void ports(std::initializer_list<int> numbers) {
    for (int n : numbers) fs::create_symlink("/dev/null", host::prefixDir() / "dosdevices" / ("com" + std::to_string(n)));
  }

  TForm1& open(const Edition& edition = {}) {
    form_.reset();
    form_ = std::make_unique<TForm1>(nullptr, edition);
    form_->DoCreate();
    return *form_;
  }
  TForm1& form() { return *form_; }
  void close() { form_.reset(); }

  template <class T>
  T& find(const char* name) {
    return vcl::testing::Find<T>(*form_, name);
  }

  host::testing::ScopedPrefix prefix_;
  host::testing::TempDir dir_;

 private:
  fs::path saved_;
  std::unique_ptr<TForm1> form_;
};

}  // namespace velcor::testing
