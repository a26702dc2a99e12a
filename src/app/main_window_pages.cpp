#include "app/main_window_pages.h"

#include "ui/main/channel_tab.h"
#include "ui/main/commands_tab.h"
#include "ui/main/config_tab.h"
#include "ui/main/factory_tab.h"
#include "ui/main/info_tab.h"
#include "ui/main/mac_tab.h"
#include "ui/main/node_table_tab.h"
#include "ui/main/nwk_tab.h"
#include "ui/main/orva_tab.h"
#include "ui/main/phy_tab.h"
#include "ui/main/registers_tab.h"
#include "ui/main/rtc_tab.h"
#include "ui/main/vcomm_tab.h"

const std::vector<TPageEntry> &MainWindowPages() {
  static const std::vector<TPageEntry> pages{
      {"Наст", true, nullptr},
      {"Команды", false, MakePage<TCommandsTab>},
      {"Регистры", false, MakePage<TRegistersTab>},
      {"Info", false, MakePage<TInfoTab>},
      {"PHY", false, MakePage<TPhyTab>},
      {"RTC", false, MakePage<TRtcTab>},
      {"ZT_UART", false, MakePage<TVCommTab>},
      {"MAC", false, MakePage<TMacTab>},
      {"ORVA", false, MakePage<TOrvaTab>},
      {"NWK", false, MakePage<TNwkTab>},
      {"Config", true, MakePage<TConfigTab>},
      {"Factory", false, MakePage<TFactoryTab>},
      {"Node table", false, MakePage<TNodeTableTab>},
      {"Открытик канала", true, MakePage<TChannelTab>},
  };
  return pages;
}
