#pragma once
// The main settings window: its controls (made by the form design in
// SetupUnitDesign.cpp), the loaded values the field rules compare with, and the
// handlers that load, check, repair and save the settings.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Edition.h"
#include "host/pcsc.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "vcl/Vcl.h"

namespace velcor {

using vcl::TObject;
class TScriptForm;
class TLoaderScriptForm;

class TForm1 : public vcl::TForm {
 public:
  // Builds the design for the edition; loading runs from OnCreate.
  TForm1(vcl::TComponent* owner, const Edition& edition);
  ~TForm1() override;

  const Edition& edition() const { return edition_; }

  // --- Controls of the form design, by page ---
  vcl::TPageControl* PageControl1 = nullptr;
  vcl::TTabSheet* GlobalSet = nullptr;    // "Настройка устройств"
  vcl::TTabSheet* ConnectSet = nullptr;   // "Параметры"
  vcl::TTabSheet* VendingPage = nullptr;  // "Настройка вендинга"

  vcl::TComboBox* ExtTerm_PC = nullptr;
  vcl::TRadioGroup* BaudRG = nullptr;
  vcl::TCheckBox* RiderLCD_CB = nullptr;
  vcl::TComboBox* MC_RiderCBox = nullptr;
  vcl::TComboBox* MC_Rider_BaudList = nullptr;
  vcl::TComboBox* CB_EPP = nullptr;
  vcl::TCheckBox* CB_DynKeysLoad = nullptr;
  vcl::TLabel* MaxPinLength_Label = nullptr;
  vcl::TSpinEdit* MaxPin_Length = nullptr;
  vcl::TComboBox* ScReader_CB = nullptr;
  vcl::TLabel* ScReaderPark_Label = nullptr;
  vcl::TComboBox* ScReaderPark_CB = nullptr;
  vcl::TLabel* ParkID_Label = nullptr;
  vcl::TEdit* ParkID = nullptr;
  vcl::TLabel* BinRange_Label = nullptr;
  vcl::TEdit* BinRange = nullptr;
  vcl::TBitBtn* BitBtn2 = nullptr;  // device search, hidden and disabled

  vcl::TEdit* TCPPortEdit = nullptr;
  vcl::TEdit* TID = nullptr;
  vcl::TCheckBox* MakeOfflineCB = nullptr;
  vcl::TLabel* Label1 = nullptr;   // "TCP/IP адрес : порт"
  vcl::TLabel* Label65 = nullptr;  // ":"
  vcl::TEdit* IPAdr = nullptr;
  vcl::TEdit* IPPort = nullptr;
  vcl::TCheckBox* HyperTmsProtocol = nullptr;
  vcl::TCheckBox* HyperSSL_CB = nullptr;
  vcl::TEdit* ResponseTimeout = nullptr;
  vcl::TEdit* NumReplyRevers = nullptr;
  vcl::TCheckBox* LogCB = nullptr;
  vcl::TCheckBox* ShortLogCB = nullptr;
  vcl::TButton* ImportBtn = nullptr;  // hidden
  vcl::TButton* ScriptBtn = nullptr;        // service edition only, else null
  vcl::TButton* LoaderScriptBtn = nullptr;  // service edition only, else null

  vcl::TComboBox* MDB_RiderCBox = nullptr;
  vcl::TComboBox* Prn_CBox = nullptr;
  vcl::TRadioGroup* VendMode_BG = nullptr;
  vcl::TEdit* VendMaxAmount = nullptr;
  vcl::TRadioGroup* VendScale_BG = nullptr;
  vcl::TEdit* PreSelectTimeout = nullptr;
  vcl::TEdit* DispenseTimeout = nullptr;
  vcl::TEdit* SessionTimeout = nullptr;
  vcl::TEdit* RestoreSessionTimeout = nullptr;
  vcl::TCheckBox* NotCloseSessionCB = nullptr;
  vcl::TCheckBox* VendPollingCB = nullptr;
  vcl::TTrackBar* TimingMDB = nullptr;

  vcl::TBitBtn* SaveBtn = nullptr;  // "Сохранить"
  vcl::TBitBtn* BitBtn1 = nullptr;  // "Закрыть", the default button

  host::PCSCConnector PCSCConnector1;

  // --- Handlers bound by the form design ---
  void FormCreate(TObject* Sender);
  void TCPPortEditChange(TObject* Sender);
  void TIDChange(TObject* Sender);
  void IPAdrChange(TObject* Sender);
  void IPPortChange(TObject* Sender);
  void NumReplyReversChange(TObject* Sender);
  void ResponseTimeoutChange(TObject* Sender);
  void ParkIDChange(TObject* Sender);
  void BinRangeChange(TObject* Sender);
  void VendMaxAmountChange(TObject* Sender);
  void PreSelectTimeoutChange(TObject* Sender);
  void DispenseTimeoutChange(TObject* Sender);
  void SessionTimeoutChange(TObject* Sender);
  void RestoreSessionTimeoutChange(TObject* Sender);
  void MaxPin_LengthChange(TObject* Sender);
  void TimingMDBChange(TObject* Sender);
  void BaudRGClick(TObject* Sender);
  void VendScale_BGClick(TObject* Sender);
  void VendMode_BGClick(TObject* Sender);
  void RiderLCD_CBClick(TObject* Sender);
  void ShortLogCBClick(TObject* Sender);
  void HyperTmsProtocolClick(TObject* Sender);
  void HyperSSL_CBClick(TObject* Sender);
  void NotCloseSessionCBClick(TObject* Sender);
  void VendPollingCBClick(TObject* Sender);
  void LogCBClick(TObject* Sender);
  void MakeOfflineCBClick(TObject* Sender);
  void ExtTerm_PCChange(TObject* Sender);  // every port and baud list
  void ScReader_CBChange(TObject* Sender);  // both reader lists
  void CB_DynKeysLoadClick(TObject* Sender);
  void CB_EPPChange(TObject* Sender);
  void PCSCConnector1ReaderListChange(TObject* Sender);
  void SaveBtnClick(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void ScriptBtnClick(TObject* Sender);
  void LoaderScriptBtnClick(TObject* Sender);

  // --- State the logic keeps ---
  // Values as last loaded or accepted by a field's rule.
  struct LoadedValues {
    bool logging = true;
    bool shortLog = false;
    bool readerScreen = false;
    std::string tcpPort;
    std::string replies;
    int contactlessBaud = -1;
    int maxPinLength = 4;
    std::int32_t parkId = 0;
    std::int64_t bin = 0;
    std::string tid;
    std::string loaderAddress;
    std::string loaderPort;
    bool localLoading = false;
    bool hyperTms = false;
    bool hyperSsl = false;
    std::int32_t responseTimeout = 0;
    int vendMode = 0;
    std::int32_t maxCredit = 0;
    int scaleUnit = 0;
    std::int32_t dispense = 0;
    std::int32_t preselect = 0;
    std::int32_t session = 0;
    std::int32_t approve = 0;
    int timingMdb = 0;
    bool multiVend = true;
    bool vendPolling = true;
  };
  LoadedValues Loaded;
  std::unique_ptr<IniFile> SettingsFile;  // the copy of Tor-Mela.ini, read at creation
  std::filesystem::path DatabasePath;  // <program folder>/TMS/BD.tms
  std::vector<std::string> ConnectionScript;
  std::vector<std::string> LoaderScript;
  bool ConnectionScriptEdited = false;  // [Script] is written only after an edit

  // The script dialogs the editor created at start; made on first use when the window
  // stands alone.
  TScriptForm* ScriptForm = nullptr;
  TLoaderScriptForm* LoaderScriptForm = nullptr;

 private:
  void CreateDesign();  // SetupUnitDesign.cpp

  // The shared shapes of the field rules. Accept takes a field's value that differs
  // from its loaded value as the new loaded value and enables Save; true if it did.
  template <typename T>
  bool Accept(T& loaded, const T& current) {
    if (current == loaded) return false;
    loaded = current;
    SaveBtn->SetEnabled(true);
    return true;
  }
  template <typename T>
  void IntegerRule(vcl::TEdit* edit, T& loaded, std::optional<T> limit = std::nullopt, bool limitEnablesSave = false);
  void FlagRule(vcl::TCheckBox* box, bool& loaded);

  // Saving, in SetupUnitSave.cpp.
  bool CheckFields();  // false when a check failed and said so
  void UpdateContactReaderConfig();
  Settings CollectSettings() const;
  void ChangeTerminalId(const std::string& newTid);

  Edition edition_;
};

}  // namespace velcor
