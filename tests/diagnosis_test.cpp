#include <array>
#include <cstring>

#include "support/family_test.h"

namespace zefra::test {
namespace {

class Diagnosis : public FamilyTest {
protected:
    // The track file comes without a terminator into a buffer the host has filled ('Z' here).
    static int32_t trackFile(std::string& shown) {
        char name[130];
        std::memset(name, 'Z', sizeof name);
        const int32_t rc = ZEFRA_Get_DiagnosisLastSaveTrackFile(name, slot);
        shown.assign(name, sizeof name);
        shown.erase(shown.find_last_not_of('Z') + 1);
        return rc;
    }
};

TEST_F(Diagnosis, SettersSendTheirValuesAsWritten) {
    static const int32_t items[3] = {1, 0, -5};
    expectSent({{"Set_DiagnosisItem Vel 1", [] { return ZEFRA_Set_DiagnosisItem("Vel", 1, slot); }},
                {"Set_DiagnosisSaveItem 1,0,-5", [] { return ZEFRA_Set_DiagnosisSaveItem(items, slot); }},
                {"DiagnosisSaveCtrl 2", [] { return ZEFRA_DiagnosisSaveCtrl(2, slot); }},
                {"Set_MotionDataCollection -1", [] { return ZEFRA_Set_MotionDataCollection(-1, slot); }}});
}

TEST_F(Diagnosis, GettersWriteAsEachReadingSays) {
    const auto save = [](std::string&) { return ZEFRA_Set_DiagnosisSave(slot); };
    const auto items = getter<std::array<int32_t, 3>>(ZEFRA_Get_DiagnosisSaveItem);
    const auto motion = with<int32_t, std::array<double, 30>>([](auto& head, auto& data) { return ZEFRA_Get_AxisMotionData(1, -2, 3, &head, data.data(), slot); });
    std::string reply = "=7", all = "7";  // group g, element e holds 5g + e
    for (int i = 0; i < 30; ++i) {
        reply += (i % 5 ? "," : ";") + std::to_string(i);
        all += "," + std::to_string(i);
    }
    const std::string name127(127, 'n');
    expectRead({
        {"Get_DiagnosisItem Vel", "=7", RC_OK, "7", getter<int32_t>(ZEFRA_Get_DiagnosisItem, "Vel")},
        {"Set_DiagnosisSave", "=0", RC_OK, "", save},
        {"Set_DiagnosisSave", "e-3:x", 3, "", save},  // the exchange's own result, not a failed scan
        {"Get_DiagnosisSave", "=1", RC_OK, "1", getter<int32_t>(ZEFRA_Get_DiagnosisSave)},
        {"Get_DiagnosisSaveItem", "=4,5,-6", RC_OK, "4,5,-6", items},
        {"Get_DiagnosisSaveItem", "=4,5", RC_FAIL, "4,5,9", items},
        {"Get_DiagnosisSaveSts", "=2", RC_OK, "2", getter<int32_t>(ZEFRA_Get_DiagnosisSaveSts)},
        {"Get_DiagnosisLastSaveTrackFile", "=trk_001", RC_OK, "trk_001", trackFile},
        {"Get_DiagnosisLastSaveTrackFile", "=" + name127, RC_OK, name127, trackFile},
        {"Get_DiagnosisLastSaveTrackFile", "=" + name127 + "n", RC_FAIL, "", trackFile},
        {"Get_DiagnosisLastSaveTrackFile", "=", RC_OK, "", trackFile},
        {"Get_DiagnosisLastSaveTrackFile", "ok", RC_FAIL, "", trackFile},
        {"Get_MotionDataCollection", "=1", RC_OK, "1", getter<int32_t>(ZEFRA_Get_MotionDataCollection)},
        {"Get_AxisTotalMotionData 3", "=120", RC_OK, "120", getter<int32_t>(ZEFRA_Get_AxisTotalMotionData, 3)},
        {"Get_AxisMotionData 1;-2;3", reply, RC_OK, all, motion},
        {"Get_AxisMotionData 1;-2;3", reply.substr(0, reply.rfind(',')), RC_FAIL, all.substr(0, all.rfind(',')) + ",9", motion},
    });
}

TEST_F(Diagnosis, NullPointersAndOverlongItemsAreRefusedUnsent) {
    int32_t v = 0;
    double data[30];
    const std::string item(1100, 'i');
    expectRefused({ZEFRA_Set_DiagnosisItem(nullptr, 1, slot), ZEFRA_Set_DiagnosisItem(item.c_str(), 1, slot),
                   ZEFRA_Get_DiagnosisItem(nullptr, &v, slot), ZEFRA_Set_DiagnosisSaveItem(nullptr, slot),
                   ZEFRA_Get_DiagnosisSaveItem(nullptr, slot), ZEFRA_Get_DiagnosisLastSaveTrackFile(nullptr, slot),
                   ZEFRA_Get_AxisMotionData(1, 2, 3, nullptr, data, slot), ZEFRA_Get_AxisMotionData(1, 2, 3, &v, nullptr, slot)});
}

}  // namespace
}  // namespace zefra::test
