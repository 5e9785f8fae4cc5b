#include "qdl/Source/Game/UnsavedAtQuit.h"

#include <string>

#include "Core/Source/Label.h"
#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

using namespace Corvane;

void tellOfUnsavedValues(Account* account)
{
    if (!account || account->GetUnsavedKeys().empty())
        return;
    FileAddress const& file = account->GetFile();
    for (std::wstring const& key : account->GetUnsavedKeys())
        Internal::LogWrite("The game ends with %ls unsaved: the account file '%ls%ls' could not be written\n",
                           key.c_str(), file.GetName().c_str(), file.GetExtension().c_str());
    static Label const notStored[2] = {Label::GetUniqueString("ProfileNotStored_SP"),
                                       Label::GetUniqueString("ProfileNotStored_EN")};
    Label const name = notStored[isEnglishLanguage()];
    Constant<std::wstring> const text(name);
    if (!text.IsValid())
    {
        Internal::LogWrite("The text \"%s\" is not loaded; the player is not told\n", name.GetString());
        return;
    }
    Platform::ModalNotification(text, L"");
    // The box asks for OK again: the folder may have been mended meanwhile.
    if (account->SaveUnsaved())
        Internal::LogWrite("The account file '%ls%ls' took the unsaved values after all\n", file.GetName().c_str(),
                           file.GetExtension().c_str());
}
