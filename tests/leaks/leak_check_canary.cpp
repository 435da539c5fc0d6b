// Loses one allocation of our own while the GUI runtime (Qt, its offscreen
// plug-in, fontconfig) is up and has drawn a window, then exits normally:
// LeakSanitizer must report it and fail the process.
#include "control_records.h"
#include "label.h"
#include "private_environment.h"
#include "runtime.h"
#include "window.h"

#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

class CanaryWindow final : public Window {
public:
    void Layout() override { ApplyPropertyRecord(*this, WindowRecord {}.Encode()); }
    void CreateControls() override
    {
        LabelRecord label;
        label.text = "Canary";
        AddControl<Label>("StaticText1", label.Encode());
    }
};

// Kept out of line, so the report's stack names our own code.
[[gnu::noinline]] std::string* LoseAString()
{
    auto lost = std::make_unique<std::string>(4096, 'x');
    return lost.release();
}

} // namespace

int main(int argc, char** argv)
{
    const std::string root = MakePrivateEnvironment("varno-canary");
    Runtime runtime(argc, argv, "Varno", "canary");
    CanaryWindow& window = Window::Create<CanaryWindow>();
    window.widget()->grab();
    window.Close();
    // The only pointer to the string is dropped here.
    std::printf("lost %zu bytes\n", LoseAString()->size());
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return 0;
}
