#include "2DEngine/Source/Framework/Account.h"

#include "2DEngine/Source/Framework/AccountFile.h"
#include "Core/Source/Log.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/XMLWriter.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace Corvane
{
    wchar_t const* const AccountManager::kNameKey = L"Corvane::AccountManager::Name";
    wchar_t const* const AccountManager::kIsCurrentKey = L"Corvane::AccountManager::IsCurrent";
    wchar_t const* const AccountManager::kExtension = L".act";
    wchar_t const* const AccountManager::kDefaultName = L"Player";

    namespace
    {
        AccountManager* gAccountManager = nullptr;

        // A new name may clash with a file made meanwhile; after this many draws the disk is
        // taken to be refusing new files.
        int const kNewAccountAttempts = 16;

        AccountFile::Bytes NewAccountDocument(std::wstring const& name)
        {
            MemoryStream stream(L"Temporary");
            {
                XMLWriter writer(&stream);
                writer.WriteStartElement(L"account");
                writer.WriteStartElement(L"record");
                writer.WriteAttribute(L"name", AccountManager::kNameKey);
                writer.WriteAttribute(L"value", name.c_str());
                writer.WriteEndElement();
                writer.WriteStartElement(L"record");
                writer.WriteAttribute(L"name", AccountManager::kIsCurrentKey);
                writer.WriteAttribute(L"value", L"false");
                writer.WriteEndElement();
                writer.WriteEndElement();
            }
            return stream.GetData();
        }

        FileAddress NewAccountAddress()
        {
            return FileAddress(kFileSystemPartition_UserData, L".", L"", AccountManager::kExtension);
        }
    }

    AccountManager* GetAccountManager()
    {
        if (!gAccountManager)
        {
            gAccountManager = new AccountManager;
            AutoDeleteSingleton(gAccountManager);
        }
        return gAccountManager;
    }

    AccountManager::AccountManager()
    {
        LoadAccounts();
        if (mAccounts.empty() && !NewAccount(kDefaultName))
        {
            // The disk refuses new files: play on with an account whose file is made by its
            // first successful write.
            FileAddress address = NewAccountAddress();
            GetUniqueFile(&address);
            mAccounts.push_back(new Account(address, kDefaultName, false));
            Internal::LogWrite("Corvane::AccountManager: the account file for '%ls' could not be made.\n", kDefaultName);
        }
        if (!GetCurrentAccount())
            SetCurrentAccount(mAccounts.front()->GetName());
        // Even an account without a readable name must be current.
        if (!GetCurrentAccount())
            mAccounts.front()->SetCurrentFlag(true);
    }

    AccountManager::~AccountManager()
    {
        for (Account* account : mAccounts)
            delete account;
        mAccounts.clear();
        mChangeHandlers.clear();
        if (gAccountManager == this)
            gAccountManager = nullptr;
    }

    void AccountManager::LoadAccounts()
    {
        IFileSystem* fileSystem = GetFileSystem();
        if (!fileSystem)
            return;
        std::vector<FileAddress> files;
        FileAddress const pattern(kFileSystemPartition_UserData, L".", L"*", kExtension);
        fileSystem->FindFiles(&pattern, files);
        for (FileAddress const& file : files)
        {
            Account* account = new Account(file, std::wstring(), false);
            account->SetName(account->ReadValue(kNameKey));
            account->SetCurrentFlag(account->ReadValue(kIsCurrentKey, false));
            mAccounts.push_back(account);
        }
        for (Account* account : mAccounts)
        {
            if (account->GetName().empty())
                NameUnnamedAccount(account);
        }
        ChooseOneCurrentAccount();
    }

    // A file emptied or damaged before its name would make every later log line say account '';
    // it is given the default name, or one made unique by its file name, and the rebuilt file
    // holds it.
    void AccountManager::NameUnnamedAccount(Account* account)
    {
        std::wstring name = kDefaultName;
        if (IsExistingAccount(name))
            name += L" " + account->GetFile().GetName();
        account->SetName(name);
        Internal::LogWrite("Corvane::AccountManager: the account file '%ls%ls' holds no account name; it is named '%ls'.\n",
                           account->GetFile().GetName().c_str(), account->GetFile().GetExtension().c_str(),
                           name.c_str());
        account->WriteValue(kNameKey, name);
    }

    // Several accounts marked current (a file restored or copied by hand) must not leave the
    // choice to the folder's listing order, which a rename changes: the most recently written
    // file is the one last played, and of files written at the same time the first by file name
    // wins. The others' marks are cleared once the chosen file has taken a write, so that
    // starting the game writes nothing.
    void AccountManager::ChooseOneCurrentAccount()
    {
        std::vector<Account*> marked;
        std::copy_if(mAccounts.begin(), mAccounts.end(), std::back_inserter(marked),
                     [](Account const* account) { return account->IsCurrent(); });
        if (marked.size() < 2)
            return;
        IFileSystem* const fileSystem = GetFileSystem();
        Account* chosen = nullptr;
        int64_t chosenAt = INT64_MIN;
        for (Account* account : marked)
        {
            sFileStamp stamp;
            int64_t const at =
                fileSystem->GetFileStamp(&account->GetFile(), &stamp) ? stamp.modifiedNanoseconds : INT64_MIN;
            if (!chosen || at > chosenAt ||
                (at == chosenAt && account->GetFile().GetFileName() < chosen->GetFile().GetFileName()))
            {
                chosen = account;
                chosenAt = at;
            }
        }
        for (Account* account : marked)
        {
            if (account == chosen)
                continue;
            account->SetCurrentFlag(false);
            chosen->AddAlsoMarkedCurrent(account);
            Internal::LogWrite("Corvane::AccountManager: the accounts '%ls' ('%ls%ls') and '%ls' ('%ls%ls') are both "
                               "marked current; '%ls' is used, its file being the most recently written (or first by name).\n",
                               chosen->GetName().c_str(), chosen->GetFile().GetName().c_str(),
                               chosen->GetFile().GetExtension().c_str(), account->GetName().c_str(),
                               account->GetFile().GetName().c_str(), account->GetFile().GetExtension().c_str(),
                               chosen->GetName().c_str());
        }
    }

    Account* AccountManager::GetCurrentAccount() const
    {
        for (Account* account : mAccounts)
        {
            if (account->IsCurrent())
                return account;
        }
        return nullptr;
    }

    bool AccountManager::IsExistingAccount(std::wstring const& name) const
    {
        return std::any_of(mAccounts.begin(), mAccounts.end(),
                           [&name](Account const* account) { return account->GetName() == name; });
    }

    bool AccountManager::SetCurrentAccount(std::wstring const& name)
    {
        if (!IsExistingAccount(name))
        {
            Internal::LogWrite("Corvane::AccountManager::SetCurrentAccount: there is no account named '%ls'; the "
                               "current account stays.\n",
                               name.c_str());
            return false;
        }
        if (GetCurrentAccount())
        {
            for (IAccountChangeHandler* handler : mChangeHandlers)
                handler->OnBeforeAccountChange();
        }
        // The new account is marked first, so that an interruption between the two writes
        // leaves a current account on disk.
        for (Account* account : mAccounts)
        {
            if (!account->IsCurrent() && account->GetName() == name)
            {
                account->SetCurrentFlag(true);
                account->WriteValue(kIsCurrentKey, true);
            }
        }
        for (Account* account : mAccounts)
        {
            if (account->IsCurrent() && account->GetName() != name)
            {
                account->SetCurrentFlag(false);
                account->WriteValue(kIsCurrentKey, false);
            }
        }
        if (GetCurrentAccount())
        {
            for (IAccountChangeHandler* handler : mChangeHandlers)
                handler->OnAfterAccountChange();
        }
        return true;
    }

    Account* AccountManager::NewAccount(std::wstring const& name)
    {
        if (IsExistingAccount(name))
            return nullptr;
        AccountFile::Bytes const document = NewAccountDocument(name);
        for (int attempt = 0; attempt < kNewAccountAttempts; ++attempt)
        {
            FileAddress address = NewAccountAddress();
            GetUniqueFile(&address);
            eReplaceResult const result = AccountFile::SaveAtomically(address, document, kReplace_Exclusive);
            if (result == kReplaceResult_TargetExists)
                continue;
            if (result != kReplaceResult_Done)
                break;
            Account* account = new Account(address, name, false);
            mAccounts.push_back(account);
            return account;
        }
        Internal::LogWrite("Corvane::AccountManager::NewAccount: the file for the account '%ls' could not be made.\n",
                           name.c_str());
        return nullptr;
    }

    void AccountManager::AddChangeHandler(IAccountChangeHandler* handler)
    {
        if (handler && std::find(mChangeHandlers.begin(), mChangeHandlers.end(), handler) == mChangeHandlers.end())
            mChangeHandlers.push_back(handler);
    }

    void AccountManager::RemoveChangeHandler(IAccountChangeHandler* handler)
    {
        mChangeHandlers.erase(std::remove(mChangeHandlers.begin(), mChangeHandlers.end(), handler),
                              mChangeHandlers.end());
    }
}
