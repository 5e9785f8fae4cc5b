#include "Core/Source/FileAddress.h"

#include <gtest/gtest.h>

using namespace Corvane;

// --- normal case ---

TEST(FileAddress, DefaultIsResourcesWithNoTexts)
{
    FileAddress const address;
    EXPECT_EQ(address.partition, kFileSystemPartition_Resources);
    EXPECT_EQ(address.name, nullptr);
    EXPECT_EQ(address.extension, nullptr);
    EXPECT_EQ(address.folder, nullptr);
    EXPECT_TRUE(address.IsValid());
}

TEST(FileAddress, NameAndExtensionGivePartitionOneWithoutFolder)
{
    FileAddress const address(L"a", L".xml");
    EXPECT_EQ(address.partition, kFileSystemPartition_Resources);
    EXPECT_STREQ(address.name, L"a");
    EXPECT_STREQ(address.extension, L".xml");
    EXPECT_FALSE(address.HasFolder());
    EXPECT_EQ(address.GetFileName(), L"a.xml");
}

TEST(FileAddress, FullFormKeepsEveryText)
{
    FileAddress const address(kFileSystemPartition_UserData, L"./saves", L"12345", L".act");
    EXPECT_EQ(address.partition, kFileSystemPartition_UserData);
    EXPECT_EQ(address.GetFolder(), L"./saves");
    EXPECT_EQ(address.GetName(), L"12345");
    EXPECT_EQ(address.GetExtension(), L".act");
}

TEST(FileAddress, CopyKeepsItsTextsAfterTheOriginalChangesOrDies)
{
    FileAddress* original = new FileAddress(kFileSystemPartition_Application, L"./a", L"first", L".png");
    FileAddress copy(*original);
    FileAddress assigned;
    assigned = *original;
    original->Init(kFileSystemPartition_UserData, L"./b", L"second", L".wav");
    EXPECT_EQ(copy.GetName(), L"first");
    delete original;
    EXPECT_EQ(copy.GetName(), L"first");
    EXPECT_EQ(copy.GetExtension(), L".png");
    EXPECT_EQ(copy.GetFolder(), L"./a");
    EXPECT_EQ(assigned.GetFileName(), L"first.png");
    EXPECT_EQ(assigned.partition, kFileSystemPartition_Application);
}

TEST(FileAddress, SetFolderKeepsNameAndExtension)
{
    FileAddress address(kFileSystemPartition_UserData, L"n", L".act");
    address.SetFolder(L"./deep/er");
    EXPECT_EQ(address.GetFileName(), L"n.act");
    EXPECT_EQ(address.GetFolder(), L"./deep/er");
    address.SetFolder(L"");
    EXPECT_FALSE(address.HasFolder());
}

// --- invalid input ---

TEST(FileAddress, TextsThatDoNotFitMakeAnInvalidAddress)
{
    std::wstring const longName(509, L'x');
    EXPECT_TRUE(FileAddress(kFileSystemPartition_UserData, std::wstring(508, L'x'), L"..").IsValid());
    FileAddress const tooLong(kFileSystemPartition_UserData, longName, L".a");
    EXPECT_FALSE(tooLong.IsValid());
    EXPECT_FALSE(IsAddressInsidePartition(tooLong));
}

TEST(FileAddress, EmbeddedNullMakesAnInvalidAddress)
{
    FileAddress const address(std::wstring(L"ok\0/../../etc/passwd", 20), L".xml");
    EXPECT_FALSE(address.IsValid());
    EXPECT_FALSE(IsAddressInsidePartition(address));
}

TEST(FileAddress, AddressesThatLeaveThePartitionAreRefused)
{
    std::string reason;
    EXPECT_FALSE(IsAddressInsidePartition(FileAddress(kFileSystemPartition_UserData, L"/etc", L"passwd", L""), &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(IsAddressInsidePartition(FileAddress(kFileSystemPartition_UserData, L"./a/../..", L"x", L".act")));
    EXPECT_FALSE(IsAddressInsidePartition(FileAddress(kFileSystemPartition_UserData, L"..\\x", L"x", L".act")));
    EXPECT_FALSE(IsAddressInsidePartition(FileAddress(kFileSystemPartition_UserData, L".", L"../x", L".act")));
    EXPECT_FALSE(IsAddressInsidePartition(FileAddress(kFileSystemPartition_UserData, L".", L"a\\b", L".act")));
    EXPECT_FALSE(IsAddressInsidePartition(FileAddress(kFileSystemPartition_UserData, L".", L"x", L"./y")));
    EXPECT_FALSE(IsAddressInsidePartition(FileAddress(kFileSystemPartition_UserData, L".", L".", L".")));
    EXPECT_FALSE(IsAddressInsidePartition(FileAddress(kFileSystemPartition_UserData, L".", L"..", L"")));
}

TEST(FileAddress, OrdinaryNamesWithDotsStayInside)
{
    EXPECT_TRUE(IsAddressInsidePartition(FileAddress(kFileSystemPartition_UserData, L".", L"1234", L".act")));
    EXPECT_TRUE(IsAddressInsidePartition(FileAddress(kFileSystemPartition_UserData, L"./a..b", L"x..y", L".act")));
    EXPECT_TRUE(IsAddressInsidePartition(FileAddress(L"...", L".png")));
    EXPECT_TRUE(IsRelativePathInside(L"Data/Sounds/click.wav"));
    EXPECT_FALSE(IsRelativePathInside(L"Data/../../click.wav"));
    EXPECT_FALSE(IsRelativePathInside(L"\\Data\\click.wav"));
}

// --- non-ASCII names ---

TEST(FileAddress, SpanishNamesSurviveCopies)
{
    FileAddress const address(kFileSystemPartition_Resources, L"./Señales", L"camión_SP", L".png");
    FileAddress const copy = address;
    EXPECT_EQ(copy.GetFolder(), L"./Señales");
    EXPECT_EQ(copy.GetFileName(), L"camión_SP.png");
    EXPECT_TRUE(IsAddressInsidePartition(copy));
}
