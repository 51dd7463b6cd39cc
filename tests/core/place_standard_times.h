#pragma once
// The standard time of every place of the world time lists, in minutes ahead of UTC, from the
// time zone database as it stands (a country with several zones by its capital's), in list order,
// with the name the list shows. Written here once, from the world and not from the program.

struct PlaceStandardTime {
  const wchar_t* name;
  int minutes;
};

// clang-format off
inline constexpr PlaceStandardTime kPlaceStandardTimes[118] = {
    {L"إثيوبيا", 180},  // Ethiopia
    {L"أسبانيا", 60},  // Spain
    {L"أستراليا", 600},  // Australia
    {L"أفغانستان", 270},  // Afghanistan
    {L"اكوادور", -300},  // Ecuador
    {L"الأرجنتين", -180},  // Argentina
    {L"الأردن", 180},  // Jordan
    {L"الإمارات العربية المتحدة", 240},  // United Arab Emirates
    {L"ألبانيا", 60},  // Albania
    {L"ألمانيا", 60},  // Germany
    {L"المملكة المتحدة", 0},  // United Kingdom
    {L"أندونسيا", 420},  // Indonesia
    {L"أنغولا", 60},  // Angola
    {L"أورغواي", -180},  // Uruguay
    {L"أوغندا", 180},  // Uganda
    {L"إيران", 210},  // Iran
    {L"أيرلندا", 0},  // Ireland
    {L"أيسلندة", 0},  // Iceland
    {L"باراغواي", -180},  // Paraguay
    {L"باكستان", 300},  // Pakistan
    {L"الباهما", -300},  // Bahamas
    {L"البحرين", 180},  // Bahrain
    {L"بلجيكا", 60},  // Belgium
    {L"بنجلاديش", 360},  // Bangladesh
    {L"بنما", -300},  // Panama
    {L"بورتوريكو", -240},  // Puerto Rico
    {L"البرتغال", 0},  // Portugal
    {L"بولندا", 60},  // Poland
    {L"بوليفيا", -240},  // Bolivia
    {L"بيرو", -300},  // Peru
    {L"تايوان", 480},  // Taiwan
    {L"تركيا", 180},  // Turkey
    {L"تشاد", 60},  // Chad
    {L"التشيك", 60},  // Czech Republic
    {L"تنزانيا", 180},  // Tanzania
    {L"توغو", 0},  // Togo
    {L"تونس", 60},  // Tunisia
    {L"تايلاند", 420},  // Thailand
    {L"جاميكا", -300},  // Jamaica
    {L"جرينادا", -240},  // Grenada
    {L"الجزائر", 60},  // Algeria
    {L"جنوب أفريقيا", 120},  // South Africa
    {L"الدانمرك", 60},  // Denmark
    {L"جزر الدومينيكان", -240},  // Dominican islands
    {L"روسيا", 180},  // Russia
    {L"رومانيا", 120},  // Romania
    {L"زائير", 60},  // Zaire
    {L"زامبيا", 120},  // Zambia
    {L"زيمبابوي", 120},  // Zimbabwe
    {L"ساحل العاج", 0},  // Ivory Coast
    {L"سريلانكا", 330},  // Sri Lanka
    {L"السعودية", 180},  // Saudi Arabia
    {L"السلفادور", -360},  // El Salvador
    {L"سلوفاكيا", 60},  // Slovakia
    {L"سوازيلاند", 120},  // Swaziland
    {L"السودان", 120},  // Sudan
    {L"سوريا", 180},  // Syria
    {L"السويد", 60},  // Sweden
    {L"سويسرا", 60},  // Switzerland
    {L"شيلي", -240},  // Chile
    {L"الصين", 480},  // China
    {L"العراق", 180},  // Iraq
    {L"عمان", 240},  // Oman
    {L"الغابون", 60},  // Gabon
    {L"غانا", 0},  // Ghana
    {L"غواتيمالا", -360},  // Guatemala
    {L"غينيا", 0},  // Guinea
    {L"الفاتيكان", 60},  // Vatican
    {L"فرنسا", 60},  // France
    {L"فلسطين", 120},  // Palestine
    {L"فنزويلا", -240},  // Venezuela
    {L"فنلندا", 120},  // Finland
    {L"فيتنام", 420},  // Vietnam
    {L"الفيليبين", 480},  // Philippines
    {L"قطر", 180},  // Qatar
    {L"كاميرون", 60},  // Cameroon
    {L"كمبوديا", 420},  // Cambodia
    {L"كندا", -300},  // Canada
    {L"كوبا", -300},  // Cuba
    {L"كوريا الجنوبية", 540},  // South Korea
    {L"كوريا الشمالية", 540},  // North Korea
    {L"كوستاريكا", -360},  // Costa Rica
    {L"كولومبيا", -300},  // Colombia
    {L"كونغو", 60},  // Congo
    {L"جزر الكناري", 0},  // Canary Islands
    {L"الكويت", 180},  // Kuwait
    {L"كينيا", 180},  // Kenya
    {L"لبنان", 120},  // Lebanon
    {L"لوس أنجلوس", -480},  // Los Angeles
    {L"لوكسمبورغ", 60},  // Luxembourg
    {L"ليبيا", 120},  // Libya
    {L"ليبيريا", 0},  // Liberia
    {L"مالطا", 60},  // Malta
    {L"مالي", 0},  // Mali
    {L"ماليزيا", 480},  // Malaysia
    {L"مدغشقر", 180},  // Madagascar
    {L"مصر", 120},  // Egypt
    {L"المغرب", 60},  // Morocco
    {L"مكسيك", -360},  // Mexico
    {L"موناكو", 60},  // Monaco
    {L"منغوليا", 480},  // Mongolia
    {L"النرويج", 60},  // Norway
    {L"النمسا", 60},  // Austria
    {L"نيبال", 345},  // Nepal
    {L"النيجر", 60},  // Niger
    {L"نيجيريا", 60},  // Nigeria
    {L"نيكارغوا", -360},  // Nicaragua
    {L"نيوزيلاندا", 720},  // New Zealand
    {L"نيويورك", -300},  // New York
    {L"الهند", 330},  // India
    {L"هندوراس", -360},  // Honduras
    {L"هنغاريا", 60},  // Hungary
    {L"هولندا", 60},  // Netherlands
    {L"هونغ كونغ", 480},  // Hong Kong
    {L"واشنطن", -300},  // Washington
    {L"اليابان", 540},  // Japan
    {L"اليمن", 180},  // Yemen
    {L"اليونان", 120},  // Greece
};
// clang-format on
