#include "property_record.h"

#include "exceptions.h"

#include <bit>
#include <cstring>

namespace {

// Little-endian whatever the host: records are stored byte strings.
void AppendLittleEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t ReadLittleEndian(std::string_view data, std::size_t at, int bytes)
{
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(data[at + i])) << (8 * i);
    return value;
}

// Reads entries one at a time; every read is checked against the record's end.
class RecordReader {
public:
    explicit RecordReader(std::string_view record)
        : record_(record)
    {
    }

    bool AtEnd() const { return pos_ >= record_.size(); }

    std::pair<std::string, PropertyValue> Next(const PropertyTarget& target)
    {
        const std::size_t space = record_.find(' ', pos_);
        if (space == std::string_view::npos)
            throw OutOfBoundsException(
                "property record: name without its value at byte " + std::to_string(pos_));
        std::string name(record_.substr(pos_, space - pos_));
        const PropertyKind kind = target.KindOf(name);
        pos_ = space + 1;
        return { std::move(name), ReadValue(kind) };
    }

private:
    void Need(std::size_t bytes) const
    {
        if (bytes > record_.size() - pos_)
            throw OutOfBoundsException(
                "property record ends inside a value at byte " + std::to_string(pos_));
    }

    std::uint64_t Take(int bytes)
    {
        Need(static_cast<std::size_t>(bytes));
        const std::uint64_t value = ReadLittleEndian(record_, pos_, bytes);
        pos_ += static_cast<std::size_t>(bytes);
        return value;
    }

    PropertyValue ReadValue(PropertyKind kind)
    {
        switch (kind) {
        case PropertyKind::Integer:
            return static_cast<Integer>(Take(8));
        case PropertyKind::Boolean:
            return Take(1) != 0;
        case PropertyKind::Byte:
            return static_cast<std::uint8_t>(Take(1));
        case PropertyKind::String: {
            const std::size_t length = static_cast<std::size_t>(Take(4));
            Need(length);
            std::string text(record_.substr(pos_, length));
            pos_ += length;
            return text;
        }
        case PropertyKind::Color: {
            Need(4);
            Color color;
            color.red = static_cast<std::uint8_t>(Take(1));
            color.green = static_cast<std::uint8_t>(Take(1));
            color.blue = static_cast<std::uint8_t>(Take(1));
            color.alpha = static_cast<std::uint8_t>(Take(1));
            return color;
        }
        case PropertyKind::Single:
            return std::bit_cast<Single>(static_cast<std::uint32_t>(Take(4)));
        }
        throw OutOfBoundsException("property record: unknown value kind");
    }

    std::string_view record_;
    std::size_t pos_ = 0;
};

template <typename T> const T& Expect(const PropertyValue& value)
{
    if (const T* typed = std::get_if<T>(&value))
        return *typed;
    throw OutOfBoundsException("property value of the wrong kind");
}

} // namespace

const PropertySpec* FindPropertySpec(std::span<const PropertySpec> table, std::string_view name)
{
    for (const PropertySpec& spec : table) {
        if (spec.name == name)
            return &spec;
    }
    return nullptr;
}

void ThrowUnknownProperty(std::string_view name)
{
    throw OutOfBoundsException("no property named \"" + std::string(name) + "\"");
}

Integer IntegerValue(const PropertyValue& value)
{
    return Expect<Integer>(value);
}
bool BooleanValue(const PropertyValue& value)
{
    return Expect<bool>(value);
}
std::uint8_t ByteValue(const PropertyValue& value)
{
    return Expect<std::uint8_t>(value);
}
const std::string& StringValue(const PropertyValue& value)
{
    return Expect<std::string>(value);
}
Color ColorValue(const PropertyValue& value)
{
    return Expect<Color>(value);
}
Single SingleValue(const PropertyValue& value)
{
    return Expect<Single>(value);
}

void PropertyRecord::Name(std::string_view name)
{
    bytes_.append(name);
    bytes_.push_back(' ');
}

PropertyRecord& PropertyRecord::Int(std::string_view name, Integer value)
{
    Name(name);
    AppendLittleEndian(bytes_, static_cast<std::uint64_t>(value), 8);
    return *this;
}

PropertyRecord& PropertyRecord::Bool(std::string_view name, bool value)
{
    Name(name);
    bytes_.push_back(value ? '\x01' : '\x00');
    return *this;
}

PropertyRecord& PropertyRecord::Byte(std::string_view name, std::uint8_t value)
{
    Name(name);
    bytes_.push_back(static_cast<char>(value));
    return *this;
}

PropertyRecord& PropertyRecord::Str(std::string_view name, std::string_view value)
{
    Name(name);
    AppendLittleEndian(bytes_, static_cast<std::uint64_t>(value.size()), 4);
    bytes_.append(value);
    return *this;
}

PropertyRecord& PropertyRecord::Colour(std::string_view name, Color value)
{
    Name(name);
    for (std::uint8_t byte : { value.red, value.green, value.blue, value.alpha })
        bytes_.push_back(static_cast<char>(byte));
    return *this;
}

PropertyRecord& PropertyRecord::Size(std::string_view name, Single value)
{
    Name(name);
    AppendLittleEndian(bytes_, std::bit_cast<std::uint32_t>(value), 4);
    return *this;
}

PropertyEntries ParsePropertyRecord(std::string_view record, const PropertyTarget& target)
{
    PropertyEntries entries;
    RecordReader reader(record);
    while (!reader.AtEnd())
        entries.push_back(reader.Next(target));
    return entries;
}

void ApplyPropertyRecord(PropertyTarget& target, std::string_view record)
{
    // Entry by entry, so that the entries before a fault stay applied.
    RecordReader reader(record);
    while (!reader.AtEnd()) {
        auto [name, value] = reader.Next(target);
        target.SetProperty(name, value);
    }
}
