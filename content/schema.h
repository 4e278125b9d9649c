#pragma once

#include <string_view>

namespace content {

// Tables and columns of the two databases; every column holds text. The sample content
// generator creates the same schema.

namespace kecheng {
inline constexpr std::string_view table = "kecheng";
inline constexpr std::string_view kecheng = "kecheng";  // course display name
inline constexpr std::string_view kb = "kb";            // course key
}  // namespace kecheng

namespace study {
inline constexpr std::string_view table = "study";
inline constexpr std::string_view id = "id";            // lesson key
inline constexpr std::string_view biaoshi = "biaoshi";  // item key, 4 characters
inline constexpr std::string_view jp = "jp";
inline constexpr std::string_view cn = "cn";
inline constexpr std::string_view sound = "sound";
}  // namespace study

namespace lianxi {
inline constexpr std::string_view table = "lianxi";
inline constexpr std::string_view id = "id";            // practice set id
inline constexpr std::string_view biaoshi = "biaoshi";  // item key of the question
inline constexpr std::string_view timu = "timu";
inline constexpr std::string_view a = "a";
inline constexpr std::string_view b = "b";
inline constexpr std::string_view c = "c";
inline constexpr std::string_view d = "d";
inline constexpr std::string_view daan = "daan";
inline constexpr std::string_view xuanxiang = "xuanxiang";
inline constexpr std::string_view sound = "sound";
inline constexpr std::string_view nin = "nin";
inline constexpr std::string_view shuru = "shuru";
}  // namespace lianxi

// data\data.mdb
inline constexpr std::string_view contentDatabaseSchema =
    "CREATE TABLE kecheng (kecheng TEXT, kb TEXT);\n"
    "CREATE TABLE study (id TEXT, biaoshi TEXT, jp TEXT, cn TEXT, sound TEXT);\n";

// data\lianxi.mdb
inline constexpr std::string_view exerciseDatabaseSchema =
    "CREATE TABLE lianxi (id TEXT, biaoshi TEXT, timu TEXT, a TEXT, b TEXT, c TEXT, d TEXT, "
    "daan TEXT, xuanxiang TEXT, sound TEXT, nin TEXT, shuru TEXT);\n";

}  // namespace content
