// MainWIndow::CompareFiles: digests each side not yet digested with `shasum -a 256` through one shell runner
// and shows whether the two digests agree.
#include <cstdint>
#include <string>

#include "ui/main/MainWIndow.h"
#include "ui/main/ShellRunner.h"
#include "ui/main/Side.h"

namespace corvantil {

using platform::Ref;
using platform::Require;

namespace {

constexpr const char* kDigestCommand = "shasum -a 256 ";

// The digest at the head of the tool's output: the text before its first two consecutive blanks. The tool
// starts a line with a backslash when it had to escape the file's name; that mark is not part of the digest.
std::string DigestOf(const std::string& output) {
    std::string digest = platform::NthField(output, "  ", 1);
    if (!digest.empty() && digest.front() == '\\') digest.erase(0, 1);
    return digest;
}

// Runs the side unless its digest is at hand. False when the run failed: the failure is shown in the side's
// drop area and the comparison ends. Every control is asked of the window afresh at each use.
bool DigestSide(MainWIndow& window, const Side& side, platform::Shell& shell) {
    if (window.*side.summed) return true;

    Ref<platform::ProgressWheel> wheel = window.ProgressWheel1();
    Require(wheel, "ProgressWheel1")->SetVisible(true);
    platform::Entrypoints().shellExecute(shell, kDigestCommand + window.*side.path);
    wheel = window.ProgressWheel1();
    Require(wheel, "ProgressWheel1")->SetVisible(false);

    const std::int32_t status = shell.ErrorCode();
    if (status == 0) {
        window.*side.checkSum = DigestOf(platform::Entrypoints().shellResultGet(shell));
        window.*side.summed = true;
        return true;
    }

    // The message, then the pink, then the error mark.
    Ref<platform::TextArea> area = (window.*side.area)();
    const std::string text = Require(area, side.controlName)->Text();
    const std::string message =
        status == 1 ? std::string("File not found") : "File Error # " + platform::Str(shell.ErrorCode(), "");
    area = (window.*side.area)();
    Require(area, side.controlName)->SetText(WithMessage(text, message));
    area = (window.*side.area)();
    Require(area, side.controlName)->SetBackColor(Pink());
    window.*side.errorArea = true;
    return false;
}

}  // namespace

void MainWIndow::CompareFiles() {
    // One runner serves both sides; it is released at the end of the call, on every way out.
    ShellRunner shell(*this);

    Ref<platform::Label> label = ResultLabel();
    Require(label, "ResultLabel")->SetText("");
    label = ResultLabel();
    Require(label, "ResultLabel")->Refresh(true);

    // Side 1 first; a failing side ends the comparison.
    if (DigestSide(*this, kSide1, *shell) && DigestSide(*this, kSide2, *shell)) {
        const bool identical = checkSum1 == checkSum2;
        label = ResultLabel();
        Require(label, "ResultLabel")
            ->SetText(identical ? "These files are identical" : "These files are different");
        label = ResultLabel();
        Require(label, "ResultLabel")
            ->SetTextColor(identical ? platform::RGB(0, 180, 0, 0) : platform::RGB(255, 0, 0, 0));
        label = ResultLabel();
        Require(label, "ResultLabel")->SetBold(identical);
    }
    shell.Release();
}

}  // namespace corvantil
