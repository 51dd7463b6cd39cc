#include "sizes/size_tables.h"

namespace {

constexpr SizeRow kMenSuitRows[] = {
    {"36", "36", "46"}, {"38", "38", "48"}, {"40", "40", "50"},
    {"42", "42", "52"}, {"44", "44", "54"}, {"46", "46", "56"},
};

// American and British skip a size where French steps by one.
constexpr SizeRow kMenShoeRows[] = {
    {"8", "7", "41"},      {"8.5", "7.5", "42"},  {"9.5", "8.5", "43"},
    {"10.5", "9.5", "44"}, {"11.5", "10.5", "45"}, {"12", "11", "46"},
};

constexpr SizeRow kWomenDressRows[] = {
    {"6", "8", "--"},   {"8", "10", "38"},  {"10", "12", "40"}, {"12", "14", "42"},
    {"14", "16", "44"}, {"16", "18", "46"}, {"18", "20", "48"},
};

// French sizes repeat: a row is found by its position, never by its text.
constexpr SizeRow kWomenShoeRows[] = {
    {"6", "4.5", "38"}, {"6.5", "5", "38"}, {"7", "5.5", "39"}, {"7.5", "6", "39"},
    {"8", "6.5", "40"}, {"8.5", "7", "41"}, {"9", "7.5", "41"},
};

}  // namespace

const SizeTable kMenSuits{kMenSuitRows};
const SizeTable kMenShoes{kMenShoeRows};
const SizeTable kWomenDresses{kWomenDressRows};
const SizeTable kWomenShoes{kWomenShoeRows};
