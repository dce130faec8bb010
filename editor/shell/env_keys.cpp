#include "editor/shell/env_keys.h"

#include <cstdint>
#include <span>

#include "editor/shell/sjis.h"
#include "zoredit/zoredit.h"

namespace zor::editor {

namespace {

enum class Shown { Text, Number, Side };

struct KeyRow {
    const char* key;
    const char* explanation;  // UTF-8
    Shown shown;
    char* TEq_Mgr::*text;
    int32_t TEq_Mgr::*number;
};

constexpr KeyRow text(const char* key, const char* explanation, char* TEq_Mgr::*field) {
    return {key, explanation, Shown::Text, field, nullptr};
}
constexpr KeyRow number(const char* key, const char* explanation, int32_t TEq_Mgr::*field) {
    return {key, explanation, Shown::Number, nullptr, field};
}
constexpr KeyRow side(const char* key, const char* explanation, int32_t TEq_Mgr::*field) {
    return {key, explanation, Shown::Side, nullptr, field};
}

// clang-format off
const KeyRow kKeySetA[] = {
    text("LOG_PATH", " ﾛｸﾞﾌｧｲﾙ用ﾃﾞｨﾚｸﾄﾘ", &TEq_Mgr::log_path),
    text("LOG_FILE", " ﾛｸﾞﾌｧｲﾙ名", &TEq_Mgr::log_file),
    number("LOG_SIZE", " ﾛｸﾞﾌｧｲﾙｻｲｽﾞ(行)", &TEq_Mgr::log_size),
    text("BKUP_PATH", " 情報ﾊﾞｯｸｱｯﾌ用ﾃﾞｨﾚｸﾄﾘ", &TEq_Mgr::bkup_path),
    text("INFO_FILE", " GEMﾃﾞｰﾀ定義ﾌｧｲﾙ名", &TEq_Mgr::info_file),
    number("INFO_BACKUP", " GEM情報ﾊﾞｯｸｱｯﾌﾟ指定(1 / 0)", &TEq_Mgr::info_backup),
    number("PP_COUNT", " ﾌﾟﾛｾｽﾌﾟﾛｸﾞﾗﾑ最大保存数", &TEq_Mgr::pp_count),
    number("FPP_COUNT", " 書式付ﾌﾟﾛｾｽﾌﾟﾛｸﾞﾗﾑ最大保存数", &TEq_Mgr::fpp_count),
    number("RCP_COUNT", " ﾚｼﾋﾟ最大保存数", &TEq_Mgr::rcp_count),
    number("CAR_COUNT", " ｷｬﾘｱ最大保存数", &TEq_Mgr::car_count),
    number("CAR_CAPACITY", " ｷｬﾘｱ容量(ｳｴﾊｰ枚数)", &TEq_Mgr::car_capacity),
    number("SUBST_COUNT", " 基板最大保存数", &TEq_Mgr::subst_count),
    number("CJ_COUNT", " ｺﾝﾄﾛｰﾙｼﾞｮﾌﾞ最大保存数", &TEq_Mgr::cj_count),
    number("PRJ_COUNT", " ﾌﾟﾛｾｽｼﾞｮﾌﾞ最大保存数", &TEq_Mgr::prj_count),
    number("TRACE_COUNT", " ﾄﾚｰｽ情報最大保存数", &TEq_Mgr::trace_count),
    text("SPOOL_PATH", " ｽﾌﾟｰﾙ情報保存ﾃﾞｨﾚｸﾄﾘ", &TEq_Mgr::spool_path),
    side("COMM_SIDE", " ﾎｽﾄ/装置ｻｲﾄﾞの指定(HOST/EQUIP)", &TEq_Mgr::comm_side),
    number("COMM_PORT", " HSMS通信ﾎﾟｰﾄ(REZAV2のﾎﾟｰﾄ)", &TEq_Mgr::comm_port),
    number("COMM_DEVICE", " HSMS通信ﾃﾞﾊﾞｲｽ(REZAV2のﾃﾞﾊﾞｲｽ)", &TEq_Mgr::comm_device),
    number("S1F13_SEND", " 通信確立方法 -  0 or 1=ﾎｽﾄ主導, 2=通常", &TEq_Mgr::s1f13_send),
};

const KeyRow kKeySetB[] = {
    text("ENG_PATH", " ｴﾝｼﾞﾝﾎｰﾑﾃﾞｨﾚｸﾄﾘ", &TEq_Mgr::eng_path),
    text("ENG_FILE", " ｴﾝｼﾞﾝﾃﾞｰﾓﾝ実行ﾌﾟﾛｸﾞﾗﾑ(full path)", &TEq_Mgr::eng_file),
    text("BKUP_PATH", " 情報ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙ保存ﾃﾞｨﾚｳﾄﾘ", &TEq_Mgr::bkup_path),
    text("SPOOL_PATH", " ｽﾌﾟｰﾙﾒｯｾｰｼﾞ保存ﾃﾞｨﾚｸﾄﾘ", &TEq_Mgr::spool_path),
    text("LOG_PATH", " ﾛｸﾞﾌｧｲﾙ保存ﾃﾞｨﾚｸﾄﾘH", &TEq_Mgr::log_path),
    text("SHMFILE", " 共有ﾒﾓﾘﾌｧｲﾙ名", &TEq_Mgr::shmfile),
    text("SHMNAME", " 共有ﾒﾓﾘ名", &TEq_Mgr::shmname),
    text("COMMDEF", " 通信環境定義ﾌｧｲﾙ名", &TEq_Mgr::commdef),
    text("APPLOG", " APP DLL ﾛｸﾞﾌｧｲﾙ名", &TEq_Mgr::applog),
    number("APPLOG_ON", " APP DLL ﾛｸﾞｽｲｯﾁ(1/0)", &TEq_Mgr::applog_on),
    number("APPLOG_SIZE", " APP DLL ﾛｸﾞｻｲｽﾞ（行)", &TEq_Mgr::applog_size),
    text("ENGLOG", " ｴﾝｼﾞﾝﾃﾞｰﾓﾝﾛｸﾞﾌｧｲﾙ名", &TEq_Mgr::englog),
    number("ENGLOG_ON", " ｴﾝｼﾞﾝﾃﾞｰﾓﾝﾛｸﾞｽｲｯﾁ(1/0)", &TEq_Mgr::englog_on),
    number("ENGLOG_SIZE", " ｴﾝｼﾞﾝﾃﾞｰﾓﾝﾛｸﾞｻｲｽﾞ(行)", &TEq_Mgr::englog_size),
    text("INFO_FILE", " 装置情報定義ﾌｧｲﾙ名(.fil)", &TEq_Mgr::info_file),
    text("IPC_APP1", " APP側ﾌﾟﾛｾｽ間通信用IPC名", &TEq_Mgr::ipc_app1),
    text("IPC_ENG1", " ﾃﾞｰﾓﾝ側ﾌﾟﾛｾｽ間通信用IPC名", &TEq_Mgr::ipc_eng1),
    number("IPC_TIMEOUT", " ﾌﾟﾛｾｽ間通信用応答ﾀｲﾑｱｳﾄ時間", &TEq_Mgr::ipc_timeout),
    number("PP_COUNT", " ﾌﾟﾛｾｽﾌﾟﾛｸﾞﾗﾑ最大保存数", &TEq_Mgr::pp_count),
    number("FPP_COUNT", " 書式付ﾌﾟﾛｾｽﾌﾟﾛｸﾞﾗﾑ最大保存数", &TEq_Mgr::fpp_count),
    number("RCP_COUNT", " ﾚｼﾋﾟ最大保存数", &TEq_Mgr::rcp_count),
    number("CAR_COUNT", " ｷｬﾘｱ最大保存数", &TEq_Mgr::car_count),
    number("CAR_CAPACITY", " ｷｬﾘｱ最大容量-ｳｴﾊｰ枚数", &TEq_Mgr::car_capacity),
    number("SUBST_COUNT", " 基板最大保存数", &TEq_Mgr::subst_count),
    number("CJ_COUNT", " ｺﾝﾄﾛｰﾙｼﾞｮﾌﾞ最大保存数", &TEq_Mgr::cj_count),
    number("PRJ_COUNT", " ﾌﾟﾛｾｽｼﾞｮﾌﾞ最大保存数", &TEq_Mgr::prj_count),
    number("TRACE_COUNT", " ﾄﾚｰｽ情報最大保存数", &TEq_Mgr::trace_count),
};
// clang-format on

std::span<const KeyRow> keyRows(int type) {
    if (type == 0 || type == 1) return kKeySetA;
    if (type == 2) return kKeySetB;
    return {};
}

}  // namespace

QString softTypeEntry(int type) {
    switch (type) {
        case 0: return QStringLiteral(" VUVIVA-DOV ｴﾝｼﾞﾝﾗｲﾌﾞﾗﾘ");
        case 1: return QStringLiteral(" ZOREng4   装置通信ｴﾝｼﾞﾝ");
        case 2: return QStringLiteral(" VUVIZA3   装置通信ｴﾝｼﾞﾝ");
        default: return {};
    }
}

QString gridCaption(int type) {
    switch (type) {
        case 0: return QStringLiteral("VUVIVA-DOV 装置起動情報設定");
        case 1: return QStringLiteral("ZOREng4 装置起動情報設定");
        default: return QStringLiteral("VUVIZA3 装置起動情報設定");
    }
}

QList<EnvKey> envKeys(int type) {
    QList<EnvKey> keys;
    for (const KeyRow& row : keyRows(type))
        keys.append({QString::fromLatin1(row.key), QString::fromUtf8(row.explanation)});
    return keys;
}

QStringList envValues(int type, const TEq_Mgr& settings) {
    QStringList values;
    for (const KeyRow& row : keyRows(type)) {
        switch (row.shown) {
            case Shown::Text: values << fromSjis(settings.*row.text); break;
            case Shown::Number: values << QString::number(settings.*row.number); break;
            case Shown::Side:
                values << (settings.*row.number ? QStringLiteral("EQUIPMENT")
                                                : QStringLiteral("HOST"));
                break;
        }
    }
    return values;
}

}  // namespace zor::editor
