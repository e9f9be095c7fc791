#pragma once
// The maker's and the author's addresses shown in captions, log lines and about windows.

namespace tarvel::station {

inline constexpr char kShopAddress[] = "https://shop.tarvel.example.com";
inline constexpr char kShopHost[] = "shop.tarvel.example.com";
inline constexpr char kSiteHost[] = "www.tarvel.example.com";
inline constexpr char kAuthorEmail[] = "author@tarvel.example.com";

}  // namespace tarvel::station
