// Text values and text lists: the byte containers of the whole translator.
#include "text/text.h"

#include <cstring>

bool sTextList::fAppendBytes(const char* pBytes, size_t n) {
  if (pBytes == nullptr) return false;
  auto item = std::make_unique<sText>(std::string(pBytes, n));
  if (bIndexed_ && n > 0) index_.emplace(item->data, nCount());
  pItems_.push_back(std::move(item));
  return true;
}

bool sTextList::fTake(sText&& source) {
  auto item = std::make_unique<sText>(std::move(source.data));
  source.fRelease();
  if (bIndexed_ && !item->data.empty()) index_.emplace(item->data, nCount());
  pItems_.push_back(std::move(item));
  return true;
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
  if (pTarget == nullptr || pItems_.empty()) return false;
  size_t total = 0;
  for (const auto& item : pItems_) total += item->data.size();
  std::string joined;
  joined.reserve(total);
  for (const auto& item : pItems_) joined += item->data;
  nPos = nCount();
  pTarget->data = std::move(joined);
  return true;
}

bool sTextList::fContainsBytes(const char* pBytes, size_t n) {
  if (pBytes == nullptr) return false;
  nFindLen = static_cast<int32_t>(n);
  if (pItems_.empty()) return false;
  if (n == 0) {
    nPos = nCount();
    return false;
  }
  if (bIndexed_) {
    auto it = index_.find(std::string(pBytes, n));
    nPos = it == index_.end() ? nCount() : it->second;
    return it != index_.end();
  }
  for (nPos = 0; nPos < nCount(); ++nPos) {
    const std::string& item = pItems_[static_cast<size_t>(nPos)]->data;
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
