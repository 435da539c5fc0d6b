#include "text_stream.h"

#include "file_access.h"
#include "folder_item.h"

#include <QFile>
#include <QSaveFile>

#include <exception>
#include <utility>

Ref<TextInputStream> TextInputStream::Open(
    const FolderItem& item, std::uint64_t maxBytes, ReadFault* fault)
{
    WholeFile file = ReadWholeFile(item, maxBytes);
    if (fault != nullptr)
        *fault = file.fault;
    if (file.fault != ReadFault::None)
        return {};
    return MakeRef<TextInputStream>(std::move(file.content));
}

TextInputStream::TextInputStream(std::string content)
    : content_(std::move(content))
{
}

std::string TextInputStream::ReadAll()
{
    std::string rest = content_.substr(std::min(position_, content_.size()));
    position_ = content_.size();
    return rest;
}

std::string TextInputStream::ReadLine()
{
    if (EndOfFile())
        return {};
    const std::size_t end = content_.find_first_of("\r\n", position_);
    if (end == std::string::npos)
        return ReadAll();
    std::string line = content_.substr(position_, end - position_);
    position_ = end + 1;
    if (content_[end] == '\r' && position_ < content_.size() && content_[position_] == '\n')
        ++position_;
    return line;
}

bool TextInputStream::EndOfFile() const
{
    return position_ >= content_.size();
}

void TextInputStream::Close()
{
    content_.clear();
    position_ = 0;
}

struct TextOutputStream::Private {
    QSaveFile file;
    std::string buffer;
    int exceptionsInFlightAtCreate = std::uncaught_exceptions();
    bool closed = false;
    bool closeResult = false;
};

Ref<TextOutputStream> TextOutputStream::Create(const FolderItem& item)
{
    if (item.Directory())
        return {};
    auto d = std::make_unique<Private>();
    d->file.setFileName(QtPath(item));
    if (!d->file.open(QIODevice::WriteOnly))
        return {};
    return Ref<TextOutputStream>(
        std::shared_ptr<TextOutputStream>(new TextOutputStream(std::move(d))));
}

TextOutputStream::TextOutputStream(std::unique_ptr<Private> d)
    : d(std::move(d))
{
}

// A stream released without Close still delivers what was written, as code
// that lets its streams go out of scope expects; one released while an
// exception unwinds the writer is incomplete, and the old file is kept.
TextOutputStream::~TextOutputStream()
{
    if (!d->closed && std::uncaught_exceptions() <= d->exceptionsInFlightAtCreate)
        Close();
}

void TextOutputStream::Write(std::string_view text)
{
    if (!d->closed)
        d->buffer.append(text);
}

void TextOutputStream::WriteLine(std::string_view text)
{
    Write(text);
    Write("\n");
}

bool TextOutputStream::Close()
{
    if (d->closed)
        return d->closeResult;
    d->closed = true;
    const auto size = static_cast<qint64>(d->buffer.size());
    if (d->file.write(d->buffer.data(), size) != size)
        d->file.cancelWriting();
    else
        d->closeResult = d->file.commit();
    return d->closeResult;
}
