#pragma once

#include <memory>
#include <string>
#include <vector>

// Everything that leaves the program's windows for the desktop goes through
// one sink: modal message boxes, web addresses for the browser and documents
// for their viewer. The default sink shows and opens them for real; tests
// install a RecordingMessageSink and read back what the program asked for.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Modal: returns once the user has dismissed the box.
    virtual void ShowMessage(const std::string& text) = 0;
    // True when the address was handed to a browser.
    virtual bool OpenURL(const std::string& url) = 0;
    // True when the document was handed to its viewer.
    virtual bool OpenDocument(const std::string& nativePath, bool activate) = 0;
};

class RecordingMessageSink final : public MessageSink {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool OpenURL(const std::string& url) override
    {
        urls.push_back(url);
        return openURLSucceeds;
    }
    bool OpenDocument(const std::string& nativePath, bool) override
    {
        documents.push_back(nativePath);
        return openDocumentSucceeds;
    }

    std::vector<std::string> messages;
    std::vector<std::string> urls;
    std::vector<std::string> documents;
    bool openDocumentSucceeds = true;
    bool openURLSucceeds = true;
};

MessageSink& CurrentMessageSink();
// Replaces the sink; nullptr puts the desktop sink back.
void SetMessageSink(std::unique_ptr<MessageSink> sink);
// Installs a fresh recording sink and returns it (owned by the platform).
RecordingMessageSink& InstallRecordingMessageSink();

// A modal message box with one text. The text is UTF-8; a carriage return
// starts a new line.
void MsgBox(const std::string& text);
// The same message box, shown once the event being handled is done: for code
// that must not wait for the user, such as painting (a modal box must not open
// inside a paint). Without a runtime the message is shown at once.
void MsgBoxLater(const std::string& text);
// Opens a web address in the default browser; false when no browser took it.
bool ShowURL(const std::string& url);
