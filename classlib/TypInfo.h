// Published properties, events, handlers and fields: the per-class tables through which the
// form reader sets properties by name and binds events to handlers by name.
//
// A class publishes by defining
//
//   static void DeclareProperties(TPropertyTable& table) {
//     auto p = table.For<TButton>();
//     p.String("Caption", &TButton::GetCaption, &TButton::SetCaption);
//     p.Boolean("Default", &TButton::GetDefault, &TButton::SetDefault);
//     p.Event("OnClick", &TButton::GetOnClick, &TButton::SetOnClick);
//   }
//
// and its metaclass (KX_CLASS / KX_COMPONENT) finds it. A class inherits its parent's table and
// may publish a property of the same name again. A form publishes its components and handlers:
//
//   p.Field("ft_start", &Tstart::ft_start);
//   p.Handler("ft_startClick", &Tstart::ft_startClick);
#pragma once

#include <any>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "classlib/Classes.h"

enum class TPropKind {
  String,      // 8-bit text
  WideString,  // UTF-16 text
  WideChar,    // one UTF-16 unit: a text of at most one character, or its number
  Integer,     // 32-bit integer, or an identifier of its ident map (colours, cursors)
  Boolean,
  Float,
  Enum,        // an identifier of its ident map
  Set,         // [identifiers] of its ident map; the values are bit numbers
  Object,      // a nested persistent object (font, string list, collection), read in place
  Component,   // a reference to a component of the form, by name, resolved at the end
  Binary,      // {hexadecimal bytes}
  Event,       // the name of a handler of the form
};

// Identifier and value pairs of an enumeration, set or integer property.
using TIdentMap = std::vector<std::pair<std::string, long long>>;
// The value of the identifier (case ignored); false when the map has none of that name.
bool IdentToInt(const TIdentMap& map, const std::string& ident, long long& value);
// The identifier of the value; empty when the map has none.
std::string IntToIdent(const TIdentMap& map, long long value);

struct THandlerInfo;

struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::Integer;
  const TIdentMap* Idents = nullptr;
  std::function<std::string(TObject*)> GetString;
  std::function<void(TObject*, const std::string&)> SetString;    // String and Binary
  std::function<std::wstring(TObject*)> GetWideString;
  std::function<void(TObject*, const std::wstring&)> SetWideString;
  std::function<long long(TObject*)> GetOrdinal;                  // Integer, Boolean, Enum, Set bits
  std::function<void(TObject*, long long)> SetOrdinal;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<TPersistent*(TObject*)> GetObject;
  std::function<TComponent*(TObject*)> GetComponent;
  std::function<bool(TObject*, TComponent*)> SetComponent;       // false: not of the property's class
  // Binds the event to the handler of the root object; false when their signatures differ.
  std::function<bool(TObject* target, const THandlerInfo& handler, TObject* root)> BindEvent;
  std::function<void(TObject* target)> ClearEvent;
  // Whether the property's value belongs in a written form description; none: always.
  std::function<bool(TObject*)> Stored;
};

// The property's stored-test for the instance (true when it has none).
inline bool IsStoredProp(const TPropInfo& info, TObject* instance) { return !info.Stored || info.Stored(instance); }

struct THandlerInfo {
  std::string Name;
  std::any Maker;  // std::function<TEvent<Sig>(TObject* root)>
};

struct TFieldInfo {
  std::string Name;
  // Stores the component in the root's field; false when it is not of the field's class.
  std::function<bool(TObject* root, TComponent* component)> Assign;
};

template <class C>
class TClassProperties;

class TPropertyTable {
 public:
  template <class C>
  TClassProperties<C> For() {
    return TClassProperties<C>(*this);
  }
  void AddProperty(TPropInfo info) { FProperties.push_back(std::move(info)); }
  void AddHandler(THandlerInfo info) { FHandlers.push_back(std::move(info)); }
  void AddField(TFieldInfo info) { FFields.push_back(std::move(info)); }

  const TPropInfo* FindProperty(const std::string& name) const;
  const THandlerInfo* FindHandler(const std::string& name) const;
  const TFieldInfo* FindField(const std::string& name) const;
  const std::vector<TPropInfo>& Properties() const { return FProperties; }

 private:
  std::vector<TPropInfo> FProperties;
  std::vector<THandlerInfo> FHandlers;
  std::vector<TFieldInfo> FFields;
};

// Lookups through a class and its ancestors (names ignore case); nullptr when none.
const TPropInfo* GetPropInfo(TClass cls, const std::string& name);
const THandlerInfo* FindHandler(TClass cls, const std::string& name);
const TFieldInfo* FindField(TClass cls, const std::string& name);
// Every published property, the ancestors' first; a property published again appears once.
std::vector<const TPropInfo*> GetPropList(TClass cls);

// Typed registration for class C; getters and setters are member functions of C.
template <class C>
class TClassProperties {
 public:
  explicit TClassProperties(TPropertyTable& table) : FTable(table) {}

  template <class G, class S>
  void String(const std::string& name, G get, S set) {
    TPropInfo info = Make(name, TPropKind::String);
    info.GetString = [get](TObject* o) { return std::string((Self(o)->*get)()); };
    info.SetString = [set](TObject* o, const std::string& v) { (Self(o)->*set)(v); };
    FTable.AddProperty(std::move(info));
  }

  template <class G, class S>
  void WideString(const std::string& name, G get, S set) {
    FTable.AddProperty(MakeWideString(name, get, set));
  }

  // A wide string written to form descriptions only while `stored` (called with the instance)
  // says so.
  template <class G, class S, class Stored>
  void WideString(const std::string& name, G get, S set, Stored stored) {
    TPropInfo info = MakeWideString(name, get, set);
    info.Stored = [stored](TObject* o) { return static_cast<bool>(stored(Self(o))); };
    FTable.AddProperty(std::move(info));
  }

  template <class G, class S>
  void Integer(const std::string& name, G get, S set, const TIdentMap* idents = nullptr) {
    Ordinal(name, TPropKind::Integer, get, set, idents);
  }

  template <class G, class S>
  void WideChar(const std::string& name, G get, S set) {
    Ordinal(name, TPropKind::WideChar, get, set, nullptr);
  }

  template <class G, class S>
  void Boolean(const std::string& name, G get, S set) {
    Ordinal(name, TPropKind::Boolean, get, set, nullptr);
  }

  template <class G, class S>
  void Enum(const std::string& name, G get, S set, const TIdentMap& idents) {
    Ordinal(name, TPropKind::Enum, get, set, &idents);
  }

  // The getter gives a TSet<E> (or an integer of bits); elements map names to bit numbers.
  template <class G, class S>
  void Set(const std::string& name, G get, S set, const TIdentMap& elements) {
    Ordinal(name, TPropKind::Set, get, set, &elements);
  }

  template <class G, class S>
  void Float(const std::string& name, G get, S set) {
    TPropInfo info = Make(name, TPropKind::Float);
    info.GetFloat = [get](TObject* o) { return static_cast<double>((Self(o)->*get)()); };
    info.SetFloat = [set](TObject* o, double v) { (Self(o)->*set)(v); };
    FTable.AddProperty(std::move(info));
  }

  // A nested object read in place: "Font.Name = ...", "Lines.Strings = (...)", "Columns = <...>".
  template <class G>
  void Object(const std::string& name, G get) {
    TPropInfo info = Make(name, TPropKind::Object);
    info.GetObject = [get](TObject* o) -> TPersistent* { return (Self(o)->*get)(); };
    FTable.AddProperty(std::move(info));
  }

  // A component reference; the setter takes a pointer to the component class it accepts.
  template <class G, class S>
  void Component(const std::string& name, G get, S set) {
    using TTarget = std::remove_pointer_t<std::remove_cvref_t<SetterArg<S>>>;
    TPropInfo info = Make(name, TPropKind::Component);
    info.GetComponent = [get](TObject* o) -> TComponent* { return (Self(o)->*get)(); };
    info.SetComponent = [set](TObject* o, TComponent* c) {
      auto* target = dynamic_cast<TTarget*>(c);
      if (c != nullptr && target == nullptr) return false;
      (Self(o)->*set)(target);
      return true;
    };
    FTable.AddProperty(std::move(info));
  }

  // Bytes given to the setter (and taken from the getter) as an 8-bit string.
  template <class G, class S>
  void Binary(const std::string& name, G get, S set) {
    TPropInfo info = Make(name, TPropKind::Binary);
    info.GetString = [get](TObject* o) { return std::string((Self(o)->*get)()); };
    info.SetString = [set](TObject* o, const std::string& v) { (Self(o)->*set)(v); };
    FTable.AddProperty(std::move(info));
  }

  // An event held in a field of C.
  template <class Sig>
  void Event(const std::string& name, TEvent<Sig> C::*field) {
    AddEvent<Sig>(name, [field](C* c, const TEvent<Sig>& e) { c->*field = e; });
  }

  // An event behind a getter and a setter of C.
  template <class Sig>
  void Event(const std::string& name, TEvent<Sig> (C::*)() const, void (C::*set)(const TEvent<Sig>&)) {
    AddEvent<Sig>(name, [set](C* c, const TEvent<Sig>& e) { (c->*set)(e); });
  }

  template <class Sig>
  void Event(const std::string& name, TEvent<Sig> (C::*)() const, void (C::*set)(TEvent<Sig>)) {
    AddEvent<Sig>(name, [set](C* c, const TEvent<Sig>& e) { (c->*set)(e); });
  }

  // A method of C that events of the form may name.
  template <class R, class... Args>
  void Handler(const std::string& name, R (C::*method)(Args...)) {
    using TSig = R(Args...);
    std::function<TEvent<TSig>(TObject*)> maker = [method](TObject* root) { return TEvent<TSig>(Self(root), method); };
    FTable.AddHandler(THandlerInfo{name, std::any(std::move(maker))});
  }

  // A field of C that receives the component of that name when the form is read.
  template <class T>
  void Field(const std::string& name, T* C::*field) {
    FTable.AddField(TFieldInfo{name, [field](TObject* root, TComponent* component) {
                                 auto* typed = dynamic_cast<T*>(component);
                                 if (typed == nullptr) return false;
                                 Self(root)->*field = typed;
                                 return true;
                               }});
  }

 private:
  static C* Self(TObject* o) { return static_cast<C*>(o); }

  template <class S>
  struct SetterArgOf;
  template <class R, class K, class A>
  struct SetterArgOf<R (K::*)(A)> {
    using type = A;
  };
  template <class S>
  using SetterArg = typename SetterArgOf<S>::type;

  static TPropInfo Make(const std::string& name, TPropKind kind) {
    TPropInfo info;
    info.Name = name;
    info.Kind = kind;
    return info;
  }

  template <class G, class S>
  static TPropInfo MakeWideString(const std::string& name, G get, S set) {
    TPropInfo info = Make(name, TPropKind::WideString);
    info.GetWideString = [get](TObject* o) { return std::wstring((Self(o)->*get)()); };
    info.SetWideString = [set](TObject* o, const std::wstring& v) { (Self(o)->*set)(v); };
    return info;
  }

  template <class V>
  static long long ToOrdinal(const V& value) {
    if constexpr (requires { value.Bits(); }) return static_cast<long long>(value.Bits());
    else return static_cast<long long>(value);
  }

  template <class V>
  static V FromOrdinal(long long value) {
    if constexpr (requires { V::FromBits(0); }) return V::FromBits(static_cast<uint64_t>(value));
    else return static_cast<V>(value);
  }

  template <class G, class S>
  void Ordinal(const std::string& name, TPropKind kind, G get, S set, const TIdentMap* idents) {
    using TValue = std::remove_cvref_t<SetterArg<S>>;
    TPropInfo info = Make(name, kind);
    info.Idents = idents;
    info.GetOrdinal = [get](TObject* o) { return ToOrdinal((Self(o)->*get)()); };
    info.SetOrdinal = [set](TObject* o, long long v) { (Self(o)->*set)(FromOrdinal<TValue>(v)); };
    FTable.AddProperty(std::move(info));
  }

  template <class Sig, class Store>
  void AddEvent(const std::string& name, Store store) {
    TPropInfo info = Make(name, TPropKind::Event);
    info.BindEvent = [store](TObject* target, const THandlerInfo& handler, TObject* root) {
      auto* maker = std::any_cast<std::function<TEvent<Sig>(TObject*)>>(&handler.Maker);
      if (maker == nullptr) return false;
      store(Self(target), (*maker)(root));
      return true;
    };
    info.ClearEvent = [store](TObject* target) { store(Self(target), TEvent<Sig>()); };
    FTable.AddProperty(std::move(info));
  }

  TPropertyTable& FTable;
};
