#include "host/pcsc.h"

#include <winscard.h>

#include <algorithm>

namespace host {

PCSCConnector::~PCSCConnector() { release(); }

void PCSCConnector::release() {
  if (hasContext_) SCardReleaseContext(static_cast<SCARDCONTEXT>(context_));
  hasContext_ = false;
}

bool PCSCConnector::Init() {
  ReaderList.clear();
  if (hasContext_ && SCardIsValidContext(static_cast<SCARDCONTEXT>(context_)) == SCARD_S_SUCCESS) release();
  hasContext_ = false;  // an invalid context is gone already

  SCARDCONTEXT context = 0;
  if (SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &context) != SCARD_S_SUCCESS) return false;
  context_ = static_cast<long>(context);
  hasContext_ = true;

  // Once for the size, once for the names; a reader that arrives in between makes the
  // second call fail, which counts as any other failure.
  DWORD size = 0;
  if (SCardListReaders(context, nullptr, nullptr, &size) != SCARD_S_SUCCESS || size == 0) return false;
  std::string names(size, '\0');
  if (SCardListReaders(context, nullptr, names.data(), &size) != SCARD_S_SUCCESS) return false;
  names.resize(std::min<std::size_t>(size, names.size()));

  for (std::size_t pos = 0; pos < names.size();) {
    std::size_t end = names.find('\0', pos);
    if (end == std::string::npos) end = names.size();
    if (end > pos) ReaderList.push_back(names.substr(pos, end - pos));
    pos = end + 1;
  }
  if (!ReaderList.empty() && OnReaderListChange) OnReaderListChange();
  return true;
}

}  // namespace host
