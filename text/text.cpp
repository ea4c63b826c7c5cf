// Text values and text lists: the byte containers of the whole translator.
#include "text/text.h"

#include <cstring>

namespace {

uint64_t fLengthBit(size_t n) { return uint64_t{1} << (n < 63 ? n : 63); }

}  // namespace

bool sTextList::fAppendBytes(const char* pBytes, size_t n) {
  if (pBytes == nullptr) return false;
  // Copied first: the bytes may be an item of this list, which growing moves.
  fPush(std::string(pBytes, n));
  return true;
}

bool sTextList::fTake(sText&& source) {
  fPush(std::move(source.data));
  source.fRelease();
  return true;
}

void sTextList::fPush(std::string&& item) {
  if (bIndexed_ && !item.empty()) {
    if (lengthsByFirst_.empty()) lengthsByFirst_.assign(256, 0);
    lengthsByFirst_[static_cast<uint8_t>(item[0])] |= fLengthBit(item.size());
    index_.emplace(item, nCount());
  }
  items_.push_back(std::move(item));
}

bool sTextList::fAppend(const sText* pSource) {
  if (pSource == nullptr) return false;
  return fAppendBytes(pSource->data.data(), pSource->data.size());
}

bool sTextList::fAppendString(const char* pString) {
  if (pString == nullptr) return false;
  return fAppendBytes(pString, std::strlen(pString));
}

bool sTextList::fJoin(sText* pTarget) {
  if (pTarget == nullptr || items_.empty()) return false;
  size_t total = 0;
  for (const std::string& item : items_) total += item.size();
  std::string joined;
  joined.reserve(total);
  for (const std::string& item : items_) joined += item;
  nPos = nCount();
  pTarget->data = std::move(joined);
  return true;
}

bool sTextList::fContainsBytes(const char* pBytes, size_t n) {
  if (pBytes == nullptr) return false;
  nFindLen = static_cast<int32_t>(n);
  if (items_.empty()) return false;
  if (n == 0) {
    nPos = nCount();
    return false;
  }
  if (bIndexed_) {
    if (lengthsByFirst_.empty() ||
        (lengthsByFirst_[static_cast<uint8_t>(pBytes[0])] & fLengthBit(n)) == 0) {
      nPos = nCount();
      return false;
    }
    auto it = index_.find(std::string(pBytes, n));
    nPos = it == index_.end() ? nCount() : it->second;
    return it != index_.end();
  }
  for (nPos = 0; nPos < nCount(); ++nPos) {
    const std::string& item = items_[static_cast<size_t>(nPos)];
    if (item.size() == n && std::memcmp(item.data(), pBytes, n) == 0) return true;
  }
  return false;
}

bool sTextList::fContains(const sText* pValue) {
  if (pValue == nullptr) return false;
  return fContainsBytes(pValue->data.data(), pValue->data.size());
}

bool sTextList::fContainsString(const char* pString) {
  if (pString == nullptr) return false;
  return fContainsBytes(pString, std::strlen(pString));
}

bool fAppendLine(sTextList* pList, const char* pString) {
  if (pList == nullptr || pString == nullptr) return false;
  std::string line(pString);
  line += "\r\n";
  return pList->fAppendBytes(line.data(), line.size());
}
