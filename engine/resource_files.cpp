#include "resource_files.h"

#include "exceptions.h"
#include "file_access.h"
#include "folder_item.h"
#include "message_sink.h"
#include "picture.h"
#include "resource_files_testing.h"
#include "text_stream.h"

#include <array>
#include <cstdint>
#include <set>
#include <string_view>

namespace {

// What one text accessor keeps for the run.
struct TextResource {
    std::string permaText;
    bool loaded = false;
};

enum TextFile { kTechFile, kGeneralFile, kExtraFile, kElement1, kElement8, kElement3, kVarnoDocs };

constexpr std::array<const char*, 7> kTextFileNames = {
    "TechFile.txt",
    "GeneralFile.txt",
    "ExtraFile.txt",
    "fccelement1.txt",
    "fccelement8.txt",
    "fccelement3.txt",
    "Varno Docs.pdf",
};

// Pic1001 to Pic1020 at 0 to 19, then Pic200 and Pic201.
constexpr std::array<const char*, 22> kPictureFileNames = {
    "Pic1001.jpg",
    "Pic1002.gif",
    "Pic1003.gif",
    "Pic1004.gif",
    "Pic1005.gif",
    "Pic1006.gif",
    "Pic1007.gif",
    "Pic1008.gif",
    "Pic1009.gif",
    "Pic1010.gif",
    "Pic1011.gif",
    "Pic1012.gif",
    "Pic1013.gif",
    "Pic1014.gif",
    "Pic1015.gif",
    "Pic1016.gif",
    "Pic1017.gif",
    "Pic1018.gif",
    "Pic1019.gif",
    "Pic1020.gif",
    "Pic200.gif",
    "Pic201.gif",
};

// Bounds far above any real pool or help document (the largest are tens of
// kilobytes): a file beyond them is damaged or not ours, and is refused.
constexpr std::uint64_t kPoolReadLimit = std::uint64_t { 16 } * 1024 * 1024;
constexpr std::uint64_t kDocumentReadLimit = std::uint64_t { 64 } * 1024 * 1024;

std::array<TextResource, kTextFileNames.size()>& TextResources()
{
    static std::array<TextResource, kTextFileNames.size()> resources;
    return resources;
}

// What each picture accessor keeps: the picture once it has loaded.
std::array<Ref<Picture>, kPictureFileNames.size()>& Pictures()
{
    static std::array<Ref<Picture>, kPictureFileNames.size()> pictures;
    return pictures;
}

// The picture files the user has been told about this run.
std::set<std::string>& PictureProblemsTold()
{
    static std::set<std::string> told;
    return told;
}

// A resource that is a pipe, a device or far too large is not read; unlike a
// missing file (which simply reads as empty), the user is told which file it
// is, since nothing else would explain what follows.
bool IsRefusal(ReadFault fault)
{
    return fault == ReadFault::NotRegular || fault == ReadFault::TooLarge;
}

// Tells the user about a refused file; any other fault says nothing.
void ReportRefusedFile(
    const std::string& fileName, ReadFault fault, std::uint64_t limit, bool fromPaint)
{
    if (!IsRefusal(fault))
        return;
    std::string where;
    try {
        where = " in the folder " + ResourceFolder()->NativePath();
    } catch (const RuntimeException&) {
        // no resource folder to name; the file name alone must do
    }
    const std::string why = fault == ReadFault::NotRegular ? "it is not an ordinary file"
                                                           : "it is larger than "
            + std::to_string(limit / (1024 * 1024)) + " MB, far more than such a file can be";
    const std::string message
        = "Varno did not read the file \"" + fileName + "\"" + where + ": " + why + ".";
    if (fromPaint)
        MsgBoxLater(message);
    else
        MsgBox(message);
}

// Whether every line of the text ends in a CR LF pair, as text saved on
// Windows does: the pool reader takes each pair for two line ends.
bool EndsLinesWithCrLf(std::string_view text)
{
    std::size_t pairs = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 == text.size() || text[i + 1] != '\n')
                return false;
            ++pairs;
            ++i;
        } else if (text[i] == '\n') {
            return false;
        }
    }
    return pairs > 0;
}

// A text file is read at most once per run, whether or not the read worked:
// `loaded` is set before anything can fail, so a failed read stays empty.
std::string ReadOnce(TextFile which)
{
    TextResource& resource = TextResources()[which];
    if (resource.loaded)
        return resource.permaText;
    resource.loaded = true;

    Ref<FolderItem> resourceFolder = ResourceFolder();
    if (resourceFolder.IsNil())
        return resource.permaText;
    Ref<FolderItem> file = resourceFolder->Child(kTextFileNames[which]);
    const std::uint64_t limit = which == kVarnoDocs ? kDocumentReadLimit : kPoolReadLimit;
    ReadFault fault = ReadFault::None;
    Ref<TextInputStream> stream = TextInputStream::Open(*file, limit, &fault);
    if (stream.IsNil()) {
        ReportRefusedFile(kTextFileNames[which], fault, limit, false);
        return resource.permaText;
    }
    std::string text = stream->ReadAll();
    stream->Close();
    resource.permaText = std::move(text);
    return resource.permaText;
}

// A picture is tried again on every call until it has loaded once.
Ref<Picture> LoadWhileMissing(std::size_t which)
{
    Ref<Picture>& pic = Pictures()[which];
    if (pic.IsNil()) {
        ReadFault fault = ReadFault::None;
        pic = Picture::FromResources(kPictureFileNames[which], &fault);
        // A refused picture is tried again on later calls like a missing
        // one, but the user hears about it once. Pictures are asked for while
        // windows paint.
        if (pic.IsNil() && IsRefusal(fault) && FirstTellingAboutPicture(kPictureFileNames[which]))
            ReportRefusedFile(kPictureFileNames[which], fault, Picture::kReadLimit, true);
    }
    return pic;
}

} // namespace

void ForgetResourceFilesForTesting()
{
    for (TextResource& resource : TextResources()) {
        resource.permaText.clear();
        resource.loaded = false;
    }
    for (Ref<Picture>& pic : Pictures())
        pic = nullptr;
    PictureProblemsTold().clear();
}

std::string TechFile()
{
    return ReadOnce(kTechFile);
}
std::string GeneralFile()
{
    return ReadOnce(kGeneralFile);
}
std::string ExtraFile()
{
    return ReadOnce(kExtraFile);
}
std::string fccelement1()
{
    return ReadOnce(kElement1);
}
std::string fccelement8()
{
    return ReadOnce(kElement8);
}
std::string fccelement3()
{
    return ReadOnce(kElement3);
}
std::string VarnoDocs()
{
    return ReadOnce(kVarnoDocs);
}

Ref<Picture> Pic1001()
{
    return LoadWhileMissing(0);
}
Ref<Picture> Pic1002()
{
    return LoadWhileMissing(1);
}
Ref<Picture> Pic1003()
{
    return LoadWhileMissing(2);
}
Ref<Picture> Pic1004()
{
    return LoadWhileMissing(3);
}
Ref<Picture> Pic1005()
{
    return LoadWhileMissing(4);
}
Ref<Picture> Pic1006()
{
    return LoadWhileMissing(5);
}
Ref<Picture> Pic1007()
{
    return LoadWhileMissing(6);
}
Ref<Picture> Pic1008()
{
    return LoadWhileMissing(7);
}
Ref<Picture> Pic1009()
{
    return LoadWhileMissing(8);
}
Ref<Picture> Pic1010()
{
    return LoadWhileMissing(9);
}
Ref<Picture> Pic1011()
{
    return LoadWhileMissing(10);
}
Ref<Picture> Pic1012()
{
    return LoadWhileMissing(11);
}
Ref<Picture> Pic1013()
{
    return LoadWhileMissing(12);
}
Ref<Picture> Pic1014()
{
    return LoadWhileMissing(13);
}
Ref<Picture> Pic1015()
{
    return LoadWhileMissing(14);
}
Ref<Picture> Pic1016()
{
    return LoadWhileMissing(15);
}
Ref<Picture> Pic1017()
{
    return LoadWhileMissing(16);
}
Ref<Picture> Pic1018()
{
    return LoadWhileMissing(17);
}
Ref<Picture> Pic1019()
{
    return LoadWhileMissing(18);
}
Ref<Picture> Pic1020()
{
    return LoadWhileMissing(19);
}
Ref<Picture> Pic200()
{
    return LoadWhileMissing(20);
}
Ref<Picture> Pic201()
{
    return LoadWhileMissing(21);
}

bool FirstTellingAboutPicture(const std::string& fileName)
{
    return PictureProblemsTold().insert(fileName).second;
}

std::string ResourceFileProblem(const std::string& fileName)
{
    Ref<FolderItem> resourceFolder = ResourceFolder();
    if (resourceFolder.IsNil())
        return "the program has no resource folder.";
    if (!resourceFolder->Directory())
        return "the resource folder \"" + resourceFolder->NativePath() + "\" is missing.";
    Ref<FolderItem> file = resourceFolder->Child(fileName);
    if (file.IsNil() || !file->Exists())
        return "the file is missing from the resource folder \"" + resourceFolder->NativePath()
            + "\".";
    if (file->Directory())
        return "\"" + file->NativePath() + "\" is a folder, not a file.";
    Ref<TextInputStream> stream = TextInputStream::Open(*file);
    if (stream.IsNil())
        return "the file \"" + file->NativePath() + "\" cannot be read.";
    const std::string text = stream->ReadAll();
    stream->Close();
    if (EndsLinesWithCrLf(text))
        return "its lines end in CR LF (as Windows saves text), but each line of a pool must "
               "end in one LF or one CR. Save it with LF line ends.";
    return {};
}
