#pragma once
// The abstract shell of the application: its name, data folder, the screen
// size asked for and obtained, the renderer and the desktop services a
// platform shell provides. `wf::ApplicationWin32` implements it.

#include <cstdint>
#include <string>

#include "engine/Engine.h"
#include "ph/Pointer.h"
#include "wf/app/ModeCheck.h"

namespace pr {
class Renderer;
}

namespace wf {

class ApplicationBase {
public:
    ApplicationBase();
    ApplicationBase(const ApplicationBase&) = delete;
    ApplicationBase& operator=(const ApplicationBase&) = delete;
    virtual ~ApplicationBase();

    virtual bool initialize() = 0;
    virtual EngineWindow windowHandle() = 0;
    // The shell's result: above 32 when the document opened.
    virtual intptr_t openDocument(const std::string& path) = 0;
    // The registry's result: 0 on success.
    virtual long setAsScreenSaver(bool enable) = 0;
    virtual void setWallpaper(const std::string& relativePath) = 0;
    virtual bool canClose();
    virtual void runProcessAndWait(const std::string& relativeProgram,
                                   const std::string& commandLine) = 0;
    virtual bool copyToDesktop(const std::string& relativePath, bool failIfExists) = 0;
    virtual bool copyToDocuments(const std::string& relativePath, bool failIfExists) = 0;
    virtual std::string documentsPath(const std::string& relativePath) = 0;
    virtual void updateWindowTitle();
    virtual void setDataFolder(const std::string& maker, const std::string& product) = 0;
    virtual bool createRenderer() = 0;

    const std::string& getName() const { return name; }
    void setName(const std::string& value) { name = value; }
    const std::string& getVersion() const { return version; }
    void setVersion(const std::string& value) { version = value; }
    // Ends with a backslash when set; empty until a data folder is chosen.
    const std::string& getDataFolder() const { return dataFolder; }
    void setDataFolderPath(const std::string& value) { dataFolder = value; }

    // The size asked of the engine; after `initialize`, the size in use.
    ScreenSize getRequestedSize() const { return requestedSize; }
    void setRequestedSize(ScreenSize value) { requestedSize = value; }
    // The screen in scene units: what the scene must cover to fill it.
    ScreenSize getLayoutSize() const { return layoutSizeOf(requestedSize, resolutionScale); }
    ScreenSize getDesktopSize() const { return desktopSize; }
    Scale getResolutionScale() const { return resolutionScale; }
    bool isResolutionScaled() const { return (baseFlags & resolutionScaledBit) != 0; }
    pr::Renderer* getRenderer() const { return renderer.get(); }

protected:
    static const uint32_t resolutionScaledBit = 1;

    // Applies the mode the engine obtained: scale, flag and requested size.
    void acceptObtainedMode(ScreenSize obtained);

    uint32_t baseFlags = 0;
    std::string name = "Application";
    std::string version;
    std::string dataFolder;
    ScreenSize requestedSize = {800, 600};
    ScreenSize desktopSize = {0, 0};
    ph::Pointer<pr::Renderer> renderer; // one reference, released at destruction
    Scale resolutionScale = {1.0f, 1.0f};
};

} // namespace wf
