// Property list entries as data, for every receiver of a list (a window, each control class): a table names
// the entries the receiver takes, each one's type, and what applying it does. Decoding a list asks the table
// for the types; applying it keeps every entry among the receiver's settings and runs the entry's action.
// An action answers what it leaves to be brought in line once the whole list is applied, as flags of the
// receiver's own; an entry without an action is kept among the settings only.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/PropertyList.h"

namespace platform::qt {

using Settings = std::map<std::string, PropertyValue, std::less<>>;

template <class Target>
struct ListEntry {
    std::string_view name;
    PropertyType type;
    unsigned (*apply)(Target& target, const PropertyValue& value) = nullptr;
};

// A receiver's entries, gathered from parts that several receivers share.
template <class Target>
class EntryTable {
public:
    using Part = std::span<const ListEntry<Target>>;
    EntryTable(std::initializer_list<Part> parts) : parts_(parts) {}

    const ListEntry<Target>* Find(std::string_view name) const {
        for (const Part& part : parts_) {
            const auto found = std::find_if(
                part.begin(), part.end(), [&](const ListEntry<Target>& entry) { return entry.name == name; });
            if (found != part.end()) return &*found;
        }
        return nullptr;
    }

    std::optional<PropertyType> TypeOf(std::string_view name) const {
        const ListEntry<Target>* entry = Find(name);
        return entry ? std::optional<PropertyType>(entry->type) : std::nullopt;
    }

    // Every entry of `list`, typed by this table; RuntimeException for a malformed list.
    std::vector<PropertyEntry> Decode(std::string_view list) const {
        return DecodePropertyList(list, [this](std::string_view name) { return TypeOf(name); });
    }

    // Keeps each entry among `settings` and applies it to `target`, in order; the flags of what is left to
    // do.
    unsigned Apply(Target& target, Settings& settings, const std::vector<PropertyEntry>& entries) const {
        unsigned followUp = 0;
        for (const PropertyEntry& entry : entries) {
            settings[entry.name] = entry.value;
            const ListEntry<Target>* known = Find(entry.name);
            if (known && known->apply) followUp |= known->apply(target, entry.value);
        }
        return followUp;
    }

private:
    std::vector<Part> parts_;
};

// The value of an entry of each type.
inline std::int32_t Int(const PropertyValue& value) { return std::get<std::int32_t>(value); }
inline bool Flag(const PropertyValue& value) { return std::get<bool>(value); }
inline Color Colour(const PropertyValue& value) { return std::get<Color>(value); }
inline const std::string& String(const PropertyValue& value) { return std::get<std::string>(value); }

template <class M>
struct MemberOf;
template <class C, class M>
struct MemberOf<M C::*> {
    using Class = C;
};

// Actions that store the value in a member of the receiver and leave `FollowUp` to be done: as it is, and an
// Int32 raised to 0 when negative.
template <auto Member, unsigned FollowUp = 0>
unsigned Store(typename MemberOf<decltype(Member)>::Class& target, const PropertyValue& value) {
    using Stored = std::remove_cvref_t<decltype(target.*Member)>;
    target.*Member = std::get<Stored>(value);
    return FollowUp;
}
template <auto Member, unsigned FollowUp = 0>
unsigned StoreAtLeastZero(typename MemberOf<decltype(Member)>::Class& target, const PropertyValue& value) {
    target.*Member = std::max(0, Int(value));
    return FollowUp;
}

}  // namespace platform::qt
