#pragma once

#include <functional>
#include <string_view>

namespace dashcam {

// A progress display that a worker thread reports to. Every operation may be called from any
// thread; Close is the worker's last call.
class IProgress {
public:
    virtual ~IProgress() = default;
    // Values above 100 are kept as 100; values below 0 are kept as given.
    virtual void SetProgress(int value) = 0;
    // The value last stored by SetProgress (0 before the first).
    virtual int GetProgress() const = 0;
    // Ends the progress display; a close asked for before it is on screen ends it at once.
    virtual void Close() = 0;
};

// Every question or message for the user goes through here, so that tests can answer it and a
// headless run never blocks on a dialog.
class IPrompt {
public:
    virtual ~IPrompt() = default;
    // A modal message with an OK button, captioned with the application's name.
    virtual void ShowMessage(std::u16string_view text) = 0;
    // The same under a caption of its own.
    virtual void ShowMessage(std::u16string_view caption, std::u16string_view text) = 0;
    // A modal question in a plain message box with Yes and No buttons under its caption; true
    // only for Yes.
    virtual bool Confirm(std::u16string_view caption, std::u16string_view text) = 0;
    // A modal yes/no question of the given outer size in pixels; true only for Yes. The text
    // may hold CR LF line breaks.
    virtual bool AskYesNo(std::u16string_view title, std::u16string_view text, int width,
                          int height) = 0;
    // A modal progress display of the given outer size. `start` is called once, on the calling
    // thread, when the display exists but before it is on screen; it typically starts the
    // worker that reports to the IProgress it is given. Returns after that IProgress has been
    // closed; the caller still joins its worker.
    virtual void ShowProgress(std::u16string_view title, std::u16string_view text, int width,
                              int height, const std::function<void(IProgress&)>& start) = 0;
};

} // namespace dashcam
