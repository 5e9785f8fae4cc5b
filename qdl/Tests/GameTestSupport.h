#pragma once

// A per-user folder with a current player account, random streams, the
// resource manager fed from text, and recording makers of the screens the
// game shell starts: what the game-shell tests stand on.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/DiskPartition.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/Random.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "qdl/Source/Game/GameScreenHooks.h"

namespace GameTestSupport
{

// The screens asked for, in order, as "title", "main menu", "sticker book",
// "cutscene <id>" and "game <type> <level>". The makers return no mode, so
// nothing reaches the main loop's queue.
class ScreenRecorder
{
public:
    ScreenRecorder() : mSaved(GetGameScreenHooks())
    {
        sGameScreenHooks& hooks = GetGameScreenHooks();
        hooks.createTitleMode = [this]() -> Corvane::ApplicationMode* { return Record("title"); };
        hooks.createMainMenuMode = [this]() -> Corvane::ApplicationMode* { return Record("main menu"); };
        hooks.createStickerBookMode = [this]() -> Corvane::ApplicationMode* { return Record("sticker book"); };
        hooks.createCutsceneMode = [this](Corvane::Label id) -> Corvane::ApplicationMode* {
            return Record(std::string("cutscene ") + id.GetString());
        };
        hooks.createGameMode = [this](GameModeType type, Corvane::Label level) -> Corvane::ApplicationMode* {
            return Record("game " + std::to_string(type) + " " + (level.IsNull() ? "-" : level.GetString()));
        };
    }
    ~ScreenRecorder() { GetGameScreenHooks() = mSaved; }
    ScreenRecorder(ScreenRecorder const&) = delete;
    ScreenRecorder& operator=(ScreenRecorder const&) = delete;

    std::vector<std::string> screens;

private:
    Corvane::ApplicationMode* Record(std::string const& screen)
    {
        screens.push_back(screen);
        return nullptr;
    }

    sGameScreenHooks mSaved;
};

// "pictures" elements: an image list of "count" one-pixel images, as many
// frames as a picture list of the content without its files.
class PictureListFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader&) const override
    {
        Corvane::ResourceWrapper<Corvane::ImageList>* const list =
            new Corvane::ResourceWrapper<Corvane::ImageList>(manifest, name, attributes);
        int const count = attributes.GetAttribute(L"count", 0);
        for (int i = 0; i < count; ++i)
            list->AddOwnedImage(new Corvane::Image(1, 1));
        return list;
    }
};

class GameFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Corvane::Internal::DeleteAllSingletons();
        Corvane::Random::Engine_Setup();
        mFileSystem = new Corvane::FileSystem;
        mFileSystem->AddFileSystemPartition(Corvane::kFileSystemPartition_UserData,
                                            new MacOSX::FileSystemPartition(mFolder.WidePath()));
        account = Corvane::GetAccountManager()->GetCurrentAccount();
        ASSERT_NE(nullptr, account);
    }

    void TearDown() override
    {
        Corvane::GetResourceManager()->Cleanup();
        mFileSystem->Cleanup();
        Corvane::Internal::DeleteAllSingletons();
        Corvane::Random::Engine_Destroy();
    }

    // Reads the manifest text as if from the manifest's file.
    void LoadManifest(wchar_t const* manifest, std::wstring const& text)
    {
        Corvane::MemoryStream stream(manifest);
        std::string const bytes = Corvane::ConvertStringWideToUTF8String(text);
        stream.Write(bytes.data(), bytes.size());
        stream.Seek(Corvane::kSeekBegin, 0);
        Corvane::GetResourceManager()->LoadFromStream(&stream, manifest);
    }

    // The text of every account file, to tell whether something touched them.
    std::string AccountFileText() const
    {
        std::string text;
        for (auto const& entry : std::filesystem::directory_iterator(mFolder.Path()))
        {
            if (entry.path().extension() != ".act")
                continue;
            FILE* file = std::fopen(entry.path().c_str(), "rb");
            if (!file)
                continue;
            char buffer[4096];
            size_t read;
            while ((read = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
                text.append(buffer, read);
            std::fclose(file);
        }
        return text;
    }

    // Replaces the first `from` of the account files with `to`, as an editor would; false when none holds it.
    bool EditAccountFile(std::string const& from, std::string const& to)
    {
        for (auto const& entry : std::filesystem::directory_iterator(mFolder.Path()))
        {
            if (entry.path().extension() != ".act")
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            size_t const at = text.find(from);
            if (at == std::string::npos)
                continue;
            text.replace(at, from.size(), to);
            std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << text;
            return true;
        }
        return false;
    }

    FileTestSupport::ScratchFolder mFolder;
    Corvane::FileSystem* mFileSystem = nullptr;
    Corvane::Account* account = nullptr;
};

} // namespace GameTestSupport
