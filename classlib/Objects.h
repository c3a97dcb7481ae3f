// The root of the class library: TObject with class identity, metaclasses and the class registry,
// method-pointer events and small sets. Offered through classlib/Classes.h.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>

class TObject;
class TComponent;
class TPropertyTable;
class TMetaClass;

// A class reference: the metaclass of a class derived from TObject.
using TClass = const TMetaClass*;

class TMetaClass {
 public:
  // Makes a component of the class with the given owner; present for components made by name.
  using TFactory = TComponent* (*)(TComponent* owner);
  // Adds the class's own published properties, events and fields to its table (see TypInfo.h).
  using TDeclare = void (*)(TPropertyTable& table);

  TMetaClass(const char* name, TClass parent, TFactory factory, TDeclare declare)
      : FName(name), FParent(parent), FFactory(factory), FDeclare(declare) {}
  TMetaClass(const TMetaClass&) = delete;
  TMetaClass& operator=(const TMetaClass&) = delete;

  const std::string& ClassName() const { return FName; }
  TClass ClassParent() const { return FParent; }
  // True for the class itself and every class derived from it.
  bool InheritsFrom(TClass ancestor) const;
  bool CanCreate() const { return FFactory != nullptr; }
  // A new component of this class; raises EInvalidOperation for a class that cannot be made by name.
  TComponent* Create(TComponent* owner) const;
  TDeclare GetDeclare() const { return FDeclare; }

 private:
  std::string FName;
  TClass FParent;
  TFactory FFactory;
  TDeclare FDeclare;
};

class TObject {
 public:
  virtual ~TObject() = default;

  static TClass StaticClass();
  virtual TClass ClassType() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassType()->ClassName(); }
  bool InheritsFrom(TClass ancestor) const { return ClassType()->InheritsFrom(ancestor); }
  // A class that publishes properties defines its own DeclareProperties (see TypInfo.h).
  static void DeclareProperties(TPropertyTable&) {}
};

class TFiler;

// An object that can copy itself from another of its kind and store itself in form descriptions.
class TPersistent : public TObject {
 public:
  static TClass StaticClass();
  TClass ClassType() const override { return StaticClass(); }

  // Copies the source into this object; EConvertError "Cannot assign a %s to a %s" when
  // neither this object nor the source knows how.
  virtual void Assign(TPersistent* source);
  // Defines the stream properties that are not published properties (see FormReader.h).
  virtual void DefineProperties(TFiler*) {}
  virtual std::string GetNamePath() const { return ClassName(); }

 protected:
  // Copies this object into the destination; the default raises the assignment error.
  virtual void AssignTo(TPersistent* dest);
  [[noreturn]] void AssignError(TPersistent* source);
};

// Gives a class its metaclass. Place it first in the class body of every class derived from
// TObject; `inherited` then names the parent class.
#define KX_CLASS(Self, Parent) KX_CLASS_WITH_FACTORY(Self, Parent, nullptr)

// As KX_CLASS, for a component class that the form reader makes by name (constructor taking
// the owner).
#define KX_COMPONENT(Self, Parent)                                                      \
  KX_CLASS_WITH_FACTORY(Self, Parent, &Self::KxNewInstance)                             \
  static TComponent* KxNewInstance(TComponent* owner) { return new Self(owner); }       \
                                                                                        \
 private:

// A component class that adds to `Parent` only its own name, under which the form reader makes
// it.
#define KX_NAMED_COMPONENT(Self, Parent)                \
  class Self : public Parent {                          \
    KX_COMPONENT(Self, Parent)                          \
   public:                                              \
    explicit Self(TComponent* owner) : Parent(owner) {} \
  }

#define KX_CLASS_WITH_FACTORY(Self, Parent, factory)                                              \
 public:                                                                                          \
  using inherited = Parent;                                                                       \
  static TClass StaticClass() {                                                                   \
    static const TMetaClass meta(                                                                 \
        #Self, Parent::StaticClass(), factory,                                                    \
        &Self::DeclareProperties == &Parent::DeclareProperties ? nullptr : &Self::DeclareProperties); \
    return &meta;                                                                                 \
  }                                                                                               \
  TClass ClassType() const override { return StaticClass(); }                                     \
                                                                                                  \
 private:

// The class registry, by which the form reader finds classes by name (names ignore case).
// Registering a second class under a name in use raises EFilerError; an alias names a
// registered class under another name and replaces an earlier alias or class of that name.
void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
void RegisterClassAlias(TClass cls, const std::string& alias);
void UnregisterClass(TClass cls);
// Makes `cls` the class that its name stands for, whichever class registers that name before or
// after: a layer over the library gives its own class the name of a library control this way.
void RegisterReplacementClass(TClass cls);
TClass GetClass(const std::string& name);   // nullptr when not registered
TClass FindClass(const std::string& name);  // raises EClassNotFound "Class %s not found"

// The class of an object, as a type test: Is<TButton>(sender).
template <class T>
bool Is(const TObject* object) {
  return object != nullptr && object->InheritsFrom(T::StaticClass());
}

// ---------------------------------------------------------------------------------------------
// Events: a method of one object, called through the event. An event may be empty (calling it
// then does nothing and gives a default value); two events compare equal when they call the
// same method, whatever object they call it on.

template <class Signature>
class TEvent;

template <class R, class... Args>
class TEvent<R(Args...)> {
 public:
  TEvent() = default;
  TEvent(std::nullptr_t) {}

  template <class C>
  TEvent(C* object, R (C::*method)(Args...)) : FObject(object) {
    static_assert(sizeof(method) <= sizeof(FCode), "method pointer too large");
    std::memcpy(FCode, &method, sizeof(method));
    FInvoke = &Invoke<C>;
  }

  explicit operator bool() const { return FInvoke != nullptr; }
  bool Assigned() const { return FInvoke != nullptr; }

  R operator()(Args... args) const {
    if (FInvoke == nullptr) {
      if constexpr (std::is_void_v<R>) return;
      else return R();
    }
    return FInvoke(FCode, FObject, std::forward<Args>(args)...);
  }

  // Same method, object not compared.
  bool operator==(const TEvent& other) const {
    return FInvoke == other.FInvoke && std::memcmp(FCode, other.FCode, sizeof(FCode)) == 0;
  }
  bool operator!=(const TEvent& other) const { return !(*this == other); }
  // Same method on the same object.
  bool SameMethod(const TEvent& other) const { return *this == other && FObject == other.FObject; }
  // The object the method is called on.
  void* Data() const { return FObject; }

 private:
  using TInvoker = R (*)(const unsigned char* code, void* object, Args&&... args);

  template <class C>
  static R Invoke(const unsigned char* code, void* object, Args&&... args) {
    R (C::*method)(Args...);
    std::memcpy(&method, code, sizeof(method));
    return (static_cast<C*>(object)->*method)(std::forward<Args>(args)...);
  }

  TInvoker FInvoke = nullptr;
  void* FObject = nullptr;
  alignas(void*) unsigned char FCode[2 * sizeof(void*) + sizeof(void*)] = {};
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;

// ---------------------------------------------------------------------------------------------
// A set of the values of an enumeration whose values are bit numbers 0..63.

template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E value : values) FBits |= Bit(value);
  }
  static constexpr TSet FromBits(uint64_t bits) {
    TSet set;
    set.FBits = bits;
    return set;
  }

  constexpr bool Contains(E value) const { return (FBits & Bit(value)) != 0; }
  constexpr TSet& Include(E value) { FBits |= Bit(value); return *this; }
  constexpr TSet& Exclude(E value) { FBits &= ~Bit(value); return *this; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr uint64_t Bits() const { return FBits; }

  constexpr TSet operator+(TSet other) const { return FromBits(FBits | other.FBits); }
  constexpr TSet operator-(TSet other) const { return FromBits(FBits & ~other.FBits); }
  constexpr TSet operator*(TSet other) const { return FromBits(FBits & other.FBits); }
  constexpr bool operator==(const TSet& other) const = default;

 private:
  static constexpr uint64_t Bit(E value) { return uint64_t{1} << static_cast<unsigned>(value); }
  uint64_t FBits = 0;
};
