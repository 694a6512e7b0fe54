#include "chart/drawings/Drawing.h"

#include "quotes/Dates.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::string_view kTypeNames[] = {"trendline", "hline",     "vline",
                                           "rectangle", "fibonacci", "note"};
constexpr std::string_view kStyleNames[] = {"solid", "dashed", "dotted"};

bool Digits(std::string_view text, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t k = from; k < from + count; ++k) {
        if (text[k] < '0' || text[k] > '9')
            return false;
        value = value * 10 + (text[k] - '0');
    }
    return true;
}

} // namespace

// Days from civil, after the well-known algorithm over 400-year eras.
int SerialOfYmd(int year, int month, int day) {
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yoe = year - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void YmdOfSerial(int serial, int& year, int& month, int& day) {
    serial += 719468;
    const int era = (serial >= 0 ? serial : serial - 146096) / 146097;
    const int doe = serial - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = yoe + era * 400 + (month <= 2);
}

int SerialOfDayNumber(std::int16_t dayNumber) {
    // Day number 1 is 1961-01-01.
    static const int kDayZero = SerialOfYmd(1960, 12, 31);
    return kDayZero + static_cast<std::uint16_t>(dayNumber);
}

int WeekdayOfSerial(int serial) {
    // 1970-01-01 was a Thursday.
    return ((serial % 7) + 7 + 3) % 7;
}

bool ParseDrawingDate(std::string_view text, int& serial) {
    int year = 0, month = 0, day = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !Digits(text, 0, 4, year) ||
        !Digits(text, 5, 2, month) || !Digits(text, 8, 2, day) || month < 1 || month > 12 ||
        day < 1 || day > DaysInMonth(year, month))
        return false;
    serial = SerialOfYmd(year, month, day);
    return true;
}

bool ParseDrawingTime(std::string_view text, int& seconds) {
    if (text.empty()) {
        seconds = -1;
        return true;
    }
    int h = 0, m = 0, s = 0;
    if (text.size() != 8 || text[2] != ':' || text[5] != ':' || !Digits(text, 0, 2, h) ||
        !Digits(text, 3, 2, m) || !Digits(text, 6, 2, s) || h > 23 || m > 59 || s > 59)
        return false;
    seconds = h * 3600 + m * 60 + s;
    return true;
}

std::string DrawingDateText(int serial) {
    int year = 0, month = 0, day = 0;
    YmdOfSerial(serial, year, month, day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

std::string DrawingTimeText(int seconds) {
    if (seconds < 0)
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600 % 24, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

bool Drawing::operator==(const Drawing& other) const {
    return type == other.type && points == other.points && color == other.color &&
           nWidth == other.nWidth && style == other.style && bExtend == other.bExtend &&
           text == other.text;
}

std::string_view DrawingTypeName(DrawingType type) {
    const auto k = static_cast<std::size_t>(type);
    return k < std::size(kTypeNames) ? kTypeNames[k] : std::string_view();
}

DrawingType DrawingTypeOfName(std::string_view name) {
    for (std::size_t k = 0; k < std::size(kTypeNames); ++k)
        if (kTypeNames[k] == name)
            return static_cast<DrawingType>(k);
    return DrawingType::Unknown;
}

std::string_view LineStyleName(LineStyle style) {
    return kStyleNames[static_cast<std::size_t>(style)];
}

int PointCount(DrawingType type) {
    switch (type) {
    case DrawingType::HLine:
    case DrawingType::VLine:
    case DrawingType::Note:
        return 1;
    default:
        return 2;
    }
}

std::string ColorText(COLORREF color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color),
                  GetBValue(color));
    return text;
}

bool ParseColorText(std::string_view text, COLORREF& color) {
    if (text.size() != 7 || text[0] != '#')
        return false;
    int channel[3] = {};
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 2; ++k) {
            const char h = text[std::size_t(1 + c * 2 + k)];
            const int digit = h >= '0' && h <= '9'   ? h - '0'
                              : h >= 'a' && h <= 'f' ? h - 'a' + 10
                              : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return false;
            channel[c] = channel[c] * 16 + digit;
        }
    color = Rgb(channel[0], channel[1], channel[2]);
    return true;
}

double FibonacciPrice(const Drawing& drawing, double percent) {
    if (drawing.points.size() < 2)
        return 0;
    const double start = drawing.points[0].dPrice, end = drawing.points[1].dPrice;
    return end + (start - end) * percent / 100;
}

std::string DrawingPriceText(double price) {
    char text[64];
    const double magnitude = std::fabs(price);
    const int decimals = magnitude > 0 && magnitude < 1 ? 4 : 2;
    std::snprintf(text, sizeof text, "%.*f", decimals, std::clamp(price, -1e15, 1e15));
    return text;
}

std::string FibonacciLabel(double percent, double price) {
    char level[16];
    std::snprintf(level, sizeof level, "%g%% ", percent);
    return level + DrawingPriceText(price);
}

CJsonValue DrawingToJson(const Drawing& drawing) {
    if (drawing.type == DrawingType::Unknown)
        return drawing.raw;
    CJsonValue object = drawing.raw.IsObject() ? drawing.raw : CJsonValue::Object();
    object.Set("type", CJsonValue::String(std::string(DrawingTypeName(drawing.type))));
    const CJsonValue* rawPoints = object.Find("points");
    CJsonValue points = CJsonValue::Array();
    for (std::size_t k = 0; k < drawing.points.size(); ++k) {
        const DrawingPoint& p = drawing.points[k];
        CJsonValue point = CJsonValue::Object();
        if (rawPoints && rawPoints->IsArray() && k < rawPoints->Items().size() &&
            rawPoints->Items()[k].IsObject())
            point = rawPoints->Items()[k];
        point.Set("date", CJsonValue::String(DrawingDateText(p.nDay)));
        point.Set("time", CJsonValue::String(DrawingTimeText(p.nSeconds)));
        point.Set("price", CJsonValue::Number(p.dPrice));
        points.Append(std::move(point));
    }
    object.Set("points", std::move(points));
    object.Set("color", CJsonValue::String(ColorText(drawing.color)));
    object.Set("width", CJsonValue::Number(drawing.nWidth));
    object.Set("style", CJsonValue::String(std::string(LineStyleName(drawing.style))));
    if (drawing.type == DrawingType::TrendLine || object.Find("extend"))
        object.Set("extend", CJsonValue::Bool(drawing.bExtend));
    if (drawing.type == DrawingType::Note || object.Find("text"))
        object.Set("text", CJsonValue::String(drawing.text));
    return object;
}

bool DrawingFromJson(const CJsonValue& object, Drawing& drawing, std::string& problem) {
    drawing = Drawing{};
    drawing.raw = object;
    if (!object.IsObject()) {
        problem = "a drawing is not an object";
        return false;
    }
    const CJsonValue* type = object.Find("type");
    if (!type || !type->IsString()) {
        problem = "a drawing has no type";
        return false;
    }
    drawing.type = DrawingTypeOfName(type->AsString());
    if (drawing.type == DrawingType::Unknown)
        return true;
    const CJsonValue* points = object.Find("points");
    const std::size_t needed = static_cast<std::size_t>(PointCount(drawing.type));
    if (!points || !points->IsArray() || points->Items().size() < needed) {
        problem = "a " + type->AsString() + " has too few points";
        return false;
    }
    for (const CJsonValue& item : points->Items()) {
        DrawingPoint point;
        const CJsonValue* date = item.Find("date");
        const CJsonValue* time = item.Find("time");
        const CJsonValue* price = item.Find("price");
        if (!date || !date->IsString() || !ParseDrawingDate(date->AsString(), point.nDay) ||
            (time && !(time->IsString() && ParseDrawingTime(time->AsString(), point.nSeconds))) ||
            !price || !price->IsNumber()) {
            problem = "a " + type->AsString() + " has a point without a date or a price";
            return false;
        }
        point.dPrice = price->AsNumber();
        drawing.points.push_back(point);
    }
    if (const CJsonValue* color = object.Find("color"); color && color->IsString())
        ParseColorText(color->AsString(), drawing.color);
    if (const CJsonValue* width = object.Find("width"); width && width->IsNumber())
        drawing.nWidth = static_cast<int>(std::clamp(std::round(width->AsNumber()), 1.0, 10.0));
    if (const CJsonValue* style = object.Find("style"); style && style->IsString())
        for (std::size_t k = 0; k < std::size(kStyleNames); ++k)
            if (kStyleNames[k] == style->AsString())
                drawing.style = static_cast<LineStyle>(k);
    if (const CJsonValue* extend = object.Find("extend"); extend && extend->IsBool())
        drawing.bExtend = extend->AsBool();
    if (const CJsonValue* text = object.Find("text"); text && text->IsString())
        drawing.text = text->AsString();
    return true;
}
