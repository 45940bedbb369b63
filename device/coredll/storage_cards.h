// Storage cards of the simulated device: folders at the device root that
// the device state names in "StorageCards" (REG_MULTI_SZ, one name per
// string, or REG_SZ with names separated by ';'; a leading backslash is
// allowed).  Root enumeration marks them DIRECTORY|TEMPORARY, as the device
// marks mounted cards, and their free space comes from the state: a card's
// own subkey "StorageCards\<card>" ("FreeKB", "TotalKB"), else
// "StorageCardFreeKB" and "StorageCardTotalKB" for every card.
#pragma once
#include <string>
#include <vector>

#include <windows.h>

using StorageCardList = std::vector<std::wstring>;

// The card names currently in the device state.
StorageCardList StorageCardNames();

// TRUE when `name` (one path component) is one of `cards`, ignoring case.
bool IsStorageCard(const StorageCardList& cards, const wchar_t* name);

// TRUE when the find pattern (e.g. "\*", "D:\*.*") enumerates the device
// root, i.e. the root of the current drive.
bool PatternIsInDeviceRoot(const wchar_t* pattern);

// TRUE when `path` lies on a storage card: its first component under the
// device root names a card folder that exists.
bool PathIsOnStorageCard(const wchar_t* path);
// The same, also giving the card's folder name.
bool StorageCardOfPath(const wchar_t* path, std::wstring* card);

// A card's space in kilobytes from the device state (free never above total).
void StorageCardSpace(const std::wstring& card, DWORD* freeKB, DWORD* totalKB);
