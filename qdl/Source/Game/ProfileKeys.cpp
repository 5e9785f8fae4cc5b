#include "qdl/Source/Game/ProfileKeys.h"

#include <algorithm>
#include <iterator>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Account.h"

namespace
{

// The profile screen's pictures, whose names the profile screen stores.
wchar_t const* const kProfileNames[] = {L"PondoButton", L"SloamButton", L"GrubbinButton"};

std::wstring profileName(Corvane::Account const& account)
{
    std::wstring const stored = account.ReadValue(L"AccountID");
    if (stored.empty() ||
        std::find(std::begin(kProfileNames), std::end(kProfileNames), stored) != std::end(kProfileNames))
        return stored;
    // Read at every save: once is enough to say what became of the name.
    static std::wstring reported;
    if (stored != reported)
    {
        reported = stored;
        Corvane::Internal::LogWrite("The account '%ls' names the profile '%ls' under AccountID, which the game does "
                                    "not have; it is taken as no profile chosen, and nothing is stored under it\n",
                                    account.GetName().c_str(), stored.c_str());
    }
    return std::wstring();
}

} // namespace

std::wstring profileKey(Corvane::Account const& account, wchar_t const* suffix)
{
    return profileName(account) + suffix;
}
