#include "classlib/TypInfo.h"

#include <algorithm>
#include <map>
#include <memory>

bool IdentToInt(const TIdentMap& map, const std::string& ident, long long& value) {
  for (const auto& [name, number] : map)
    if (SameText(name, ident)) {
      value = number;
      return true;
    }
  return false;
}

std::string IntToIdent(const TIdentMap& map, long long value) {
  for (const auto& [name, number] : map)
    if (number == value) return name;
  return std::string();
}

namespace {

template <class T>
const T* FindByName(const std::vector<T>& items, const std::string& name) {
  // The last declaration wins, so a class may publish a property of its parent again.
  for (auto it = items.rbegin(); it != items.rend(); ++it)
    if (SameText(it->Name, name)) return &*it;
  return nullptr;
}

// The table a class declares itself (empty for classes that declare nothing), built once.
const TPropertyTable& OwnTable(TClass cls) {
  static std::map<TClass, std::unique_ptr<TPropertyTable>> tables;
  auto& table = tables[cls];
  if (!table) {
    table = std::make_unique<TPropertyTable>();
    if (cls->GetDeclare()) cls->GetDeclare()(*table);
  }
  return *table;
}

template <class Find>
auto FindInClass(TClass cls, Find find) -> decltype(find(OwnTable(cls))) {
  for (; cls != nullptr; cls = cls->ClassParent())
    if (auto* found = find(OwnTable(cls))) return found;
  return nullptr;
}

}  // namespace

const TPropInfo* TPropertyTable::FindProperty(const std::string& name) const { return FindByName(FProperties, name); }
const THandlerInfo* TPropertyTable::FindHandler(const std::string& name) const { return FindByName(FHandlers, name); }
const TFieldInfo* TPropertyTable::FindField(const std::string& name) const { return FindByName(FFields, name); }

const TPropInfo* GetPropInfo(TClass cls, const std::string& name) {
  return FindInClass(cls, [&](const TPropertyTable& t) { return t.FindProperty(name); });
}

const THandlerInfo* FindHandler(TClass cls, const std::string& name) {
  return FindInClass(cls, [&](const TPropertyTable& t) { return t.FindHandler(name); });
}

const TFieldInfo* FindField(TClass cls, const std::string& name) {
  return FindInClass(cls, [&](const TPropertyTable& t) { return t.FindField(name); });
}

std::vector<const TPropInfo*> GetPropList(TClass cls) {
  std::vector<TClass> chain;
  for (; cls != nullptr; cls = cls->ClassParent()) chain.insert(chain.begin(), cls);
  std::vector<const TPropInfo*> list;
  for (TClass c : chain)
    for (const TPropInfo& info : OwnTable(c).Properties()) {
      auto same = std::find_if(list.begin(), list.end(), [&](const TPropInfo* p) { return SameText(p->Name, info.Name); });
      if (same != list.end()) *same = &info;
      else list.push_back(&info);
    }
  return list;
}
