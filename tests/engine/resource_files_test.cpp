#include "resource_files.h"

#include "application.h"
#include "engine_test_support.h"
#include "exceptions.h"
#include "folder_item.h"
#include "picture.h"
#include "resource_files_testing.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

class ResourceFiles : public EngineTest { };

// A picture w pixels wide and 1 high. The decoder goes by the content, so the
// same bytes serve under a .gif or .jpg name.
std::string PictureBytes(int width)
{
    return "P6\n" + std::to_string(width) + " 1\n255\n" + std::string(3 * width, '\x7f');
}

struct TextAccessor {
    std::string (*accessor)();
    std::string file;
};

TEST_F(ResourceFiles, EachTextAccessorReadsItsFile)
{
    const std::vector<TextAccessor> accessors = {
        { TechFile, "TechFile.txt" },
        { GeneralFile, "GeneralFile.txt" },
        { ExtraFile, "ExtraFile.txt" },
        { fccelement1, "fccelement1.txt" },
        { fccelement8, "fccelement8.txt" },
        { fccelement3, "fccelement3.txt" },
        { VarnoDocs, "Varno Docs.pdf" },
    };
    for (const TextAccessor& text : accessors)
        WriteResource(text.file, "contents of " + text.file);
    for (const TextAccessor& text : accessors)
        EXPECT_EQ(text.accessor(), "contents of " + text.file);
}

TEST_F(ResourceFiles, TextIsReadOnceAndKeptForTheRun)
{
    WriteResource("TechFile.txt", "first\r");
    EXPECT_EQ(TechFile(), "first\r");
    WriteResource("TechFile.txt", "second\r");
    EXPECT_EQ(TechFile(), "first\r");
    EXPECT_EQ(TechFile(), TechFile());
}

TEST_F(ResourceFiles, TextMissingAtFirstUseStaysEmpty)
{
    EXPECT_EQ(GeneralFile(), "");
    WriteResource("GeneralFile.txt", "26\r35\r");
    EXPECT_EQ(GeneralFile(), "");
    // The pool read from it is empty as well, and refused.
    EXPECT_THROW(app->SetExam(2), PoolUnreadableException);
    EXPECT_TRUE(app->exam.IsNil());
}

TEST_F(ResourceFiles, BytesComeBackExactly)
{
    std::string bytes = "%PDF-1.4\r\n";
    for (int value = 0; value < 256; ++value)
        bytes.push_back(static_cast<char>(value));
    bytes += std::string("\0\0\r\r\n\n", 6);
    WriteResource("Varno Docs.pdf", bytes);
    WriteResource("ExtraFile.txt", "line one\rline two\r");
    EXPECT_EQ(VarnoDocs(), bytes);
    EXPECT_EQ(ExtraFile(), "line one\rline two\r");
}

TEST_F(ResourceFiles, NoResourceFolderReadsEmpty)
{
    app->SetExecutableFile(MakeRef<FolderItem>(MakeTempFolder("elsewhere") + "/a/b/varno"));
    EXPECT_EQ(fccelement1(), "");
}

TEST_F(ResourceFiles, NoApplicationRaisesNilObjectOnceThenStaysEmpty)
{
    WriteResource("fccelement3.txt", "pool");
    Application::Register(nullptr);
    EXPECT_THROW(fccelement3(), NilObjectException);
    Application::Register(app);
    EXPECT_EQ(fccelement3(), "");
}

TEST_F(ResourceFiles, ResourceFolderThatIsAFileRaisesNilObjectOnceThenStaysEmpty)
{
    const std::string root = MakeTempFolder("file-in-place");
    WriteFileBytes(root + "/Resources", "not a folder");
    app->SetExecutableFile(MakeRef<FolderItem>(root + "/bin/varno"));
    EXPECT_THROW(ExtraFile(), NilObjectException);
    EXPECT_EQ(ExtraFile(), "");
}

TEST_F(ResourceFiles, FreshRunReadsTheFileAgain)
{
    WriteResource("TechFile.txt", "old");
    EXPECT_EQ(TechFile(), "old");
    WriteResource("TechFile.txt", "new");
    ForgetResourceFilesForTesting();
    EXPECT_EQ(TechFile(), "new");
}

TEST_F(ResourceFiles, PictureMissingAtFirstUseLoadsOnceItExists)
{
    EXPECT_TRUE(Pic200().IsNil());
    EXPECT_TRUE(Pic200().IsNil());
    WriteResource("Pic200.gif", PictureBytes(3));
    const Ref<Picture> loaded = Pic200();
    ASSERT_FALSE(loaded.IsNil());
    EXPECT_EQ(loaded->Width(), 3);
    // Kept: the same object, even after the file has gone.
    WriteResource("Pic200.gif", "not a picture");
    EXPECT_TRUE(Pic200() == loaded);
}

TEST_F(ResourceFiles, EachPictureAccessorLoadsItsFile)
{
    struct PictureAccessor {
        Ref<Picture> (*accessor)();
        std::string file;
    };
    const std::vector<PictureAccessor> accessors = {
        { Pic1001, "Pic1001.jpg" },
        { Pic1002, "Pic1002.gif" },
        { Pic1003, "Pic1003.gif" },
        { Pic1004, "Pic1004.gif" },
        { Pic1005, "Pic1005.gif" },
        { Pic1006, "Pic1006.gif" },
        { Pic1007, "Pic1007.gif" },
        { Pic1008, "Pic1008.gif" },
        { Pic1009, "Pic1009.gif" },
        { Pic1010, "Pic1010.gif" },
        { Pic1011, "Pic1011.gif" },
        { Pic1012, "Pic1012.gif" },
        { Pic1013, "Pic1013.gif" },
        { Pic1014, "Pic1014.gif" },
        { Pic1015, "Pic1015.gif" },
        { Pic1016, "Pic1016.gif" },
        { Pic1017, "Pic1017.gif" },
        { Pic1018, "Pic1018.gif" },
        { Pic1019, "Pic1019.gif" },
        { Pic1020, "Pic1020.gif" },
        { Pic200, "Pic200.gif" },
        { Pic201, "Pic201.gif" },
    };
    // Picture i is i + 1 pixels wide, so a mix-up shows in the width.
    for (std::size_t i = 0; i < accessors.size(); ++i)
        WriteResource(accessors[i].file, PictureBytes(static_cast<int>(i) + 1));
    for (std::size_t i = 0; i < accessors.size(); ++i) {
        const Ref<Picture> picture = accessors[i].accessor();
        ASSERT_FALSE(picture.IsNil()) << accessors[i].file;
        EXPECT_EQ(picture->Width(), static_cast<Integer>(i) + 1) << accessors[i].file;
    }
}

} // namespace

namespace {

// Puts a pipe, a link to a device or a sparse file beyond the bound in the
// resource folder under the given name.
enum class Plant { Pipe, DeviceLink, Oversize };

void PlantResource(
    const std::string& folder, const std::string& name, Plant plant, std::uintmax_t oversize)
{
    namespace fs = std::filesystem;
    const std::string path = folder + "/" + name;
    switch (plant) {
    case Plant::Pipe:
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        break;
    case Plant::DeviceLink:
        fs::create_symlink("/dev/zero", path);
        break;
    case Plant::Oversize:
        WriteFileBytes(path, "");
        fs::resize_file(path, oversize);
        break;
    }
}

} // namespace

// A pool, the help document or a picture that is a pipe, a device or far too
// large is refused at once, without hanging or filling the memory, and the
// user is told which file it is and where; the text then reads as empty and
// the picture as missing, as for a missing file.
TEST_F(ResourceFiles, PipesDevicesAndOversizeFilesAreRefusedWithAMessageNamingThem)
{
    struct Role {
        std::string file;
        std::function<bool()> loads; // true when the accessor gave something
        std::uintmax_t oversize;
    };
    const std::uintmax_t kMiB = 1024 * 1024;
    const Role roles[] = {
        { "TechFile.txt", [] { return !TechFile().empty(); }, 16 * kMiB + 1 },
        { "fccelement3.txt", [] { return !fccelement3().empty(); }, 16 * kMiB + 1 },
        { "Varno Docs.pdf", [] { return !VarnoDocs().empty(); }, 64 * kMiB + 1 },
        { "Pic1005.gif", [] { return !Pic1005().IsNil(); }, Picture::kReadLimit + 1 },
        { "Pic200.gif", [] { return !Pic200().IsNil(); }, Picture::kReadLimit + 1 },
    };
    for (const Role& role : roles) {
        for (Plant plant : { Plant::Pipe, Plant::DeviceLink, Plant::Oversize }) {
            SCOPED_TRACE(role.file + " as plant " + std::to_string(static_cast<int>(plant)));
            std::filesystem::remove(resourceFolder + "/" + role.file);
            PlantResource(resourceFolder, role.file, plant, role.oversize);
            ForgetResourceFilesForTesting();
            Messages().clear();

            // Refused without being read: a pipe or device would hang the read,
            // and the test's time limit would end it.
            EXPECT_FALSE(role.loads());
            // A picture's message waits for the event loop (pictures are asked
            // for while windows paint).
            Application::DoEvents();
            ASSERT_EQ(Messages().size(), 1u);
            const std::string& message = Messages()[0];
            EXPECT_NE(message.find("\"" + role.file + "\" in the folder " + resourceFolder + ":"),
                std::string::npos)
                << message;
            EXPECT_NE(message.find(plant == Plant::Oversize ? "is larger than" : "not an ordinary"),
                std::string::npos)
                << message;

            // Asked again, nothing more is said.
            EXPECT_FALSE(role.loads());
            Application::DoEvents();
            EXPECT_EQ(Messages().size(), 1u);
        }
        std::filesystem::remove(resourceFolder + "/" + role.file);
    }
}

TEST_F(ResourceFiles, AFileAsLargeAsARealOneStillLoads)
{
    // Far larger than the shipped pools, well inside the bound.
    const std::string pool(2 * 1024 * 1024, 'q');
    WriteResource("ExtraFile.txt", pool);
    EXPECT_EQ(ExtraFile(), pool);
    EXPECT_TRUE(Messages().empty());
}
