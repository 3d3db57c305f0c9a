// Published properties: each class lists its properties once, with a getter, a setter, and the rule that
// says whether the form writer stores the value. The form reader and writer only ever go through these.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "framework/date.h"
#include "framework/notify_event.h"

#include "framework/string_list.h"

class TComponent;

enum class PropertyKind { Boolean, Integer, String, Strings, Enumeration, Set, Event, Component, Date };

// Enumerations travel as their identifier's text; string lists as their items.
using PropertyValue =
    std::variant<bool, long long, std::string, std::vector<std::string>, TNotifyEvent, TComponent*, TDate>;

struct PropertyInfo {
    std::string_view name;
    PropertyKind kind;
    PropertyValue (*get)(const TObject& self);
    void (*set)(TObject& self, const PropertyValue& value);
    // The writer leaves a value out when it equals the default; without one, when it is empty (a text,
    // a list, an event or a reference), and an integer or a boolean is always written.
    std::optional<long long> defaultValue{};
    // The identifiers of an enumeration, in the order of its values; of a set, in the order of its bits.
    std::span<const std::string_view> enumNames{};
    // The class that a component reference must have.
    const struct ClassInfo* referenceClass = nullptr;
    // When set, the writer stores the value only where this holds.
    bool (*isStored)(const TObject& self) = nullptr;
};

// The same property, stored only where isStored holds.
constexpr PropertyInfo StoredWhen(PropertyInfo info, bool (*isStored)(const TObject& self)) {
    info.isStored = isStored;
    return info;
}

namespace published {

template <class T>
struct Getter;
template <class C, class R>
struct Getter<R (C::*)() const> {
    using Class = C;
    using Value = std::remove_cvref_t<R>;
};

template <class T>
struct Setter;
template <class C, class A>
struct Setter<void (C::*)(A)> {
    using Class = C;
    using Argument = std::remove_cvref_t<A>;
};

template <auto Get>
using ClassOf = typename Getter<decltype(Get)>::Class;
template <auto Get>
using ValueOf = typename Getter<decltype(Get)>::Value;

template <auto Get, auto Set>
void SetAs(TObject& self, const PropertyValue& value) {
    using Class = typename Setter<decltype(Set)>::Class;
    using Argument = typename Setter<decltype(Set)>::Argument;
    (static_cast<Class&>(self).*Set)(static_cast<Argument>(std::get<ValueOf<Get>>(value)));
}

template <auto Get>
PropertyValue GetAs(const TObject& self) {
    return (static_cast<const ClassOf<Get>&>(self).*Get)();
}

// Integers and enumerations travel as long long, whatever type the property has.
template <auto Get>
PropertyValue GetAsInteger(const TObject& self) {
    return static_cast<long long>((static_cast<const ClassOf<Get>&>(self).*Get)());
}

template <auto Set>
void SetAsInteger(TObject& self, const PropertyValue& value) {
    using Class = typename Setter<decltype(Set)>::Class;
    using Argument = typename Setter<decltype(Set)>::Argument;
    (static_cast<Class&>(self).*Set)(static_cast<Argument>(std::get<long long>(value)));
}

}  // namespace published

template <auto Get, auto Set>
constexpr PropertyInfo BooleanProperty(std::string_view name, std::optional<bool> defaultValue = std::nullopt) {
    return {name, PropertyKind::Boolean, &published::GetAs<Get>, &published::SetAs<Get, Set>,
            defaultValue ? std::optional<long long>(*defaultValue) : std::nullopt};
}

template <auto Get, auto Set>
constexpr PropertyInfo StringProperty(std::string_view name) {
    return {name, PropertyKind::String, &published::GetAs<Get>, &published::SetAs<Get, Set>};
}

template <auto Get, auto Set>
constexpr PropertyInfo DateProperty(std::string_view name) {
    return {name, PropertyKind::Date, &published::GetAs<Get>, &published::SetAs<Get, Set>};
}

template <auto Get, auto Set>
constexpr PropertyInfo EventProperty(std::string_view name) {
    return {name, PropertyKind::Event, &published::GetAs<Get>, &published::SetAs<Get, Set>};
}

template <auto Get, auto Set>
constexpr PropertyInfo IntegerProperty(std::string_view name,
                                       std::optional<long long> defaultValue = std::nullopt) {
    return {name, PropertyKind::Integer, &published::GetAsInteger<Get>, &published::SetAsInteger<Set>,
            defaultValue};
}

// An enumeration whose values are 0, 1, 2... in the order of names.
template <auto Get, auto Set>
constexpr PropertyInfo EnumProperty(std::string_view name, std::span<const std::string_view> names,
                                    std::optional<long long> defaultValue = std::nullopt) {
    return {name,
            PropertyKind::Enumeration,
            &published::GetAsInteger<Get>,
            &published::SetAsInteger<Set>,
            defaultValue,
            names};
}

// A set of flags whose bits are 1, 2, 4... in the order of names; the value is the bit mask.
template <auto Get, auto Set>
constexpr PropertyInfo SetProperty(std::string_view name, std::span<const std::string_view> names,
                                   std::optional<long long> defaultValue = std::nullopt) {
    PropertyInfo info = EnumProperty<Get, Set>(name, names, defaultValue);
    info.kind = PropertyKind::Set;
    return info;
}

// A reference to another component of the form, resolved by name after the whole form file is read.
template <auto Get, auto Set, class Target>
constexpr PropertyInfo ComponentProperty(std::string_view name) {
    constexpr auto get = [](const TObject& self) -> PropertyValue {
        return static_cast<TComponent*>((static_cast<const published::ClassOf<Get>&>(self).*Get)());
    };
    constexpr auto set = [](TObject& self, const PropertyValue& value) {
        using Class = typename published::Setter<decltype(Set)>::Class;
        (static_cast<Class&>(self).*Set)(static_cast<Target*>(std::get<TComponent*>(value)));
    };
    return {name, PropertyKind::Component, get, set, std::nullopt, {}, &Target::Class};
}

// A string list: the getter returns the list, the setter copies from a source list.
template <auto Get, auto Set>
constexpr PropertyInfo StringsProperty(std::string_view name) {
    constexpr auto get = [](const TObject& self) -> PropertyValue {
        return (static_cast<const published::ClassOf<Get>&>(self).*Get)().Items();
    };
    constexpr auto set = [](TObject& self, const PropertyValue& value) {
        using Class = typename published::Setter<decltype(Set)>::Class;
        const TStringList source(std::get<std::vector<std::string>>(value));
        (static_cast<Class&>(self).*Set)(source);
    };
    return {name, PropertyKind::Strings, get, set};
}
