#pragma once
// The Windows shell of the application: creates the engine window with its
// own window procedure, installs the low-level keyboard hook that keeps
// Win+Tab from stranding a full-screen device, and offers the desktop
// services. Handles are opaque here; the Win32 code is in ApplicationWin32.cpp.

#include "wf/app/ApplicationBase.h"

namespace wf {

class ApplicationWin32 : public ApplicationBase {
public:
    // Installs the keyboard hook and makes this object the process-wide shell.
    ApplicationWin32();
    // Removes the hook and forgets the process-wide shell.
    ~ApplicationWin32() override;

    // Window and graphics device in place of the engine's System_Initiate,
    // then the mode check.
    bool initialize() override;
    EngineWindow windowHandle() override;
    intptr_t openDocument(const std::string& path) override;
    long setAsScreenSaver(bool enable) override;
    void setWallpaper(const std::string& relativePath) override;
    void runProcessAndWait(const std::string& relativeProgram,
                           const std::string& commandLine) override;
    bool copyToDesktop(const std::string& relativePath, bool failIfExists) override;
    bool copyToDocuments(const std::string& relativePath, bool failIfExists) override;
    std::string documentsPath(const std::string& relativePath) override;
    void updateWindowTitle() override;
    void setDataFolder(const std::string& maker, const std::string& product) override;
    bool createRenderer() override;

    // The shell the window procedure and the hook report to, or null.
    static ApplicationWin32* current();

protected:
    // The system calls behind the application's focus and mode handling.
    ScreenSize primaryScreenSize();
    // The desktop mode from the registry settings; (0, 0) when unknown.
    ScreenSize registryDesktopMode();
    // Repaints the whole client area later, without erasing it.
    void invalidateWindow();
    // Sets the system cursor to where it already is, so that a cursor change
    // shows at once.
    void reapplyCursorPosition();
    // A modal warning box owned by the engine window; returns when closed.
    void showWarningBox(const std::string& caption, const std::string& text);

private:
    void* moduleInstance = nullptr;
    EngineWindow window = nullptr;
    void* keyboardHook = nullptr;
};

} // namespace wf
