#pragma once

#include <memory>
#include <string>

namespace dashcam {

// The progress popup of a card format. SetProgress, GetProgress and Close may be called from
// the format's worker thread, also before the popup is on screen; ShowModal runs on the
// user-interface thread and returns once Close was called.
class IFormatProgress {
public:
    virtual ~IFormatProgress() = default;
    virtual void SetProgress(int value) = 0; // kept within 0 to 100
    virtual int GetProgress() const = 0;
    virtual void Close() = 0;
    virtual void ShowModal() = 0;
};

// What the card format shows the user: its question, its messages and its progress popup.
class ICardFormatUi {
public:
    virtual ~ICardFormatUi() = default;
    virtual bool AskYesNo(const std::u16string& caption, const std::u16string& text) = 0;
    virtual void ShowMessage(const std::u16string& caption, const std::u16string& text) = 0;
    virtual std::unique_ptr<IFormatProgress> CreateProgress(const std::u16string& title,
                                                            const std::u16string& text, int width,
                                                            int height) = 0;
};

} // namespace dashcam
