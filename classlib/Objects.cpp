#include "classlib/Objects.h"

#include <map>

#include "classlib/SysUtils.h"

bool TMetaClass::InheritsFrom(TClass ancestor) const {
  for (TClass cls = this; cls != nullptr; cls = cls->FParent)
    if (cls == ancestor) return true;
  return false;
}

TComponent* TMetaClass::Create(TComponent* owner) const {
  if (FFactory == nullptr) throw EInvalidOperation("Cannot create an instance of " + FName);
  return FFactory(owner);
}

TClass TObject::StaticClass() {
  static const TMetaClass meta("TObject", nullptr, nullptr, nullptr);
  return &meta;
}

namespace {

std::map<std::string, TClass>& Registry() {
  static std::map<std::string, TClass> registry;
  return registry;
}

std::map<std::string, TClass>& Replacements() {
  static std::map<std::string, TClass> replacements;
  return replacements;
}

}  // namespace

void RegisterClass(TClass cls) {
  const std::string key = UpperCase(cls->ClassName());
  auto found = Registry().find(key);
  if (found != Registry().end()) {
    if (found->second == cls) return;
    throw EFilerError(Format(SDuplicateClass, cls->ClassName()));
  }
  Registry()[key] = cls;
}

void RegisterClasses(std::initializer_list<TClass> classes) {
  for (TClass cls : classes) RegisterClass(cls);
}

void RegisterClassAlias(TClass cls, const std::string& alias) { Registry()[UpperCase(alias)] = cls; }

void RegisterReplacementClass(TClass cls) { Replacements()[UpperCase(cls->ClassName())] = cls; }

void UnregisterClass(TClass cls) {
  for (auto* map : {&Registry(), &Replacements()})
    for (auto it = map->begin(); it != map->end();) it = it->second == cls ? map->erase(it) : std::next(it);
}

TClass GetClass(const std::string& name) {
  const std::string key = UpperCase(name);
  auto replaced = Replacements().find(key);
  if (replaced != Replacements().end()) return replaced->second;
  auto found = Registry().find(key);
  return found == Registry().end() ? nullptr : found->second;
}

TClass FindClass(const std::string& name) {
  TClass cls = GetClass(name);
  if (cls == nullptr) throw EClassNotFound(Format(SClassNotFound, name));
  return cls;
}

TClass TPersistent::StaticClass() {
  static const TMetaClass meta("TPersistent", TObject::StaticClass(), nullptr, nullptr);
  return &meta;
}

void TPersistent::Assign(TPersistent* source) {
  if (source == nullptr) AssignError(nullptr);
  source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
  throw EConvertError(Format(SAssignError, source ? source->ClassName() : std::string("nil"), ClassName()));
}
