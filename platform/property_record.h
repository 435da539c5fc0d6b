#pragma once

#include "types.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// The stored layout of windows and controls: one byte string per object, a
// sequence of entries with no separator or count. Each entry is the property's
// name in ASCII, one space, then the value with no type tag; the value's width
// follows from the property's kind on the object it is applied to:
//   Integer  8 bytes, little-endian, signed
//   Boolean  1 byte, 0 or 1
//   Byte     1 byte (TextUnit)
//   String   4-byte little-endian length, then that many bytes of UTF-8
//   Color    4 bytes: red, green, blue, alpha
//   Single   4 bytes, IEEE 754 single precision, little-endian (TextSize)
enum class PropertyKind { Integer, Boolean, Byte, String, Color, Single };

using PropertyValue = std::variant<Integer, bool, std::uint8_t, std::string, Color, Single>;

// Something a record can be applied to (a window or a control).
class PropertyTarget {
public:
    virtual ~PropertyTarget() = default;
    // The kind of the named property; OutOfBoundsException when the object has
    // no property of that name.
    virtual PropertyKind KindOf(std::string_view name) const = 0;
    // Stores the value; the value has the kind KindOf gave.
    virtual void SetProperty(std::string_view name, const PropertyValue& value) = 0;
};

// One property of a window or control class, for the tables behind KindOf.
struct PropertySpec {
    std::string_view name;
    PropertyKind kind;
};

// The entry of that name in table, or nullptr.
const PropertySpec* FindPropertySpec(std::span<const PropertySpec> table, std::string_view name);
// What KindOf and SetProperty raise for a name the object does not have.
[[noreturn]] void ThrowUnknownProperty(std::string_view name);

// The value read as the kind it must have; OutOfBoundsException when it holds
// another kind (a caller that passed the wrong kind, never a record).
Integer IntegerValue(const PropertyValue& value);
bool BooleanValue(const PropertyValue& value);
std::uint8_t ByteValue(const PropertyValue& value);
const std::string& StringValue(const PropertyValue& value);
Color ColorValue(const PropertyValue& value);
Single SingleValue(const PropertyValue& value);

// Builds a record, entry by entry, in the order the calls are made.
class PropertyRecord {
public:
    PropertyRecord& Int(std::string_view name, Integer value);
    PropertyRecord& Bool(std::string_view name, bool value);
    PropertyRecord& Byte(std::string_view name, std::uint8_t value);
    PropertyRecord& Str(std::string_view name, std::string_view value);
    PropertyRecord& Colour(std::string_view name, Color value);
    PropertyRecord& Size(std::string_view name, Single value);

    const std::string& Bytes() const { return bytes_; }
    operator const std::string&() const { return bytes_; }

private:
    void Name(std::string_view name);
    std::string bytes_;
};

using PropertyEntries = std::vector<std::pair<std::string, PropertyValue>>;

// Splits a record into its entries, asking target for each property's kind.
// A record that ends inside an entry, a name without its space, or a property
// the target does not have raises OutOfBoundsException.
PropertyEntries ParsePropertyRecord(std::string_view record, const PropertyTarget& target);

// The framework's property-record setter: applies the entries to target by
// name, in record order. A malformed record raises OutOfBoundsException; the
// entries before the fault have been applied.
void ApplyPropertyRecord(PropertyTarget& target, std::string_view record);
