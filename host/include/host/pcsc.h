#pragma once
// Smart-card readers through the PC/SC service: the connector the editor uses to list
// the SAM readers.
#include <functional>
#include <string>
#include <vector>

namespace host {

class PCSCConnector {
 public:
  PCSCConnector() = default;
  ~PCSCConnector();
  PCSCConnector(const PCSCConnector&) = delete;
  PCSCConnector& operator=(const PCSCConnector&) = delete;

  // (Re)establishes a user-scope context, releasing a still valid earlier one, and lists
  // the readers of all groups in the order the service gives them. Raises
  // OnReaderListChange when at least one reader is there. A missing service or any
  // error leaves the list empty and raises nothing; the result says whether it worked.
  bool Init();

  std::vector<std::string> ReaderList;
  std::function<void()> OnReaderListChange;

 private:
  void release();

  long context_ = 0;
  bool hasContext_ = false;
};

}  // namespace host
