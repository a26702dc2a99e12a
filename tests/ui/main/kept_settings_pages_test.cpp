// The service pages whose fields the settings file keeps register those
// keys with their host and apply what is stored, without the main window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include "ui/main/factory_tab.h"
#include "ui/main/node_table_tab.h"
#include "ui/main/orva_tab.h"
#include "ui/support/fake_page_host.h"

using testing_support::FakePageHost;

namespace {

struct KeptSetting {
  const char *key;
  const char *defaultText;  // saved before anything is loaded
  const char *stored;       // loaded, then saved back as it was
};

// The keys of the window's own section, in the order registered.
void ExpectKeptSettings(FakePageHost &host, std::initializer_list<KeptSetting> cases) {
  std::vector<const ui::TPageSetting *> own;
  for (const auto &s : host.settings)
    if (s.section.empty()) own.push_back(&s);
  ASSERT_EQ(own.size(), cases.size());
  size_t i = 0;
  for (const auto &c : cases) {
    const ui::TPageSetting &s = *own[i++];
    EXPECT_EQ(s.key, c.key);
    EXPECT_EQ(s.save(), c.defaultText) << c.key;
    EXPECT_TRUE(s.load(c.stored)) << c.key;
    EXPECT_EQ(s.save(), c.stored) << c.key;
    EXPECT_FALSE(s.load("banana")) << c.key;
    EXPECT_EQ(s.save(), c.stored) << c.key << ": a value that cannot be read changes nothing";
  }
}

}  // namespace

TEST(KeptSettingsPages, FactoryKeepsItsFourFields) {
  FakePageHost host;
  TFactoryTab page(host, host.Sheet("Factory"));
  ExpectKeptSettings(host, {{"CB_MeasureDivisor.ItemIndex", "0", "15"},
                            {"CB_UsedCrystal.ItemIndex", "1", "0"},
                            {"SE_Temperature.Value", "24", "-60"},
                            {"SE_MeasuredFreq.Value", "26481010", "26480500.125"}});
  EXPECT_EQ(page.CB_MeasureDivisor->currentText().toStdString(), "XOSC/192");
  EXPECT_FALSE(host.Setting("CB_UsedCrystal.ItemIndex")->load("2")) << "the list has two crystals";
}

TEST(KeptSettingsPages, NodeTableAndOrvaKeepTheirFields) {
  FakePageHost host;
  TNodeTableTab nodeTable(host, host.Sheet("Node table"));
  TOrvaTab orva(host, host.Sheet("ORVA"));
  ExpectKeptSettings(host, {{"SE_NT_Cnt.Value", "16", "2048"},
                            {"CB_NT_ReadAll.Checked", "0", "1"},
                            {"SE_ORVARemCh.Value", "1", "7"}});
  EXPECT_TRUE(nodeTable.CB_NT_ReadAll->isChecked());
  EXPECT_EQ(orva.SE_ORVARemCh->value(), 7);
  // A stored count beyond the field takes the nearest bound.
  ASSERT_TRUE(host.Setting("SE_NT_Cnt.Value")->load("5000"));
  EXPECT_EQ(nodeTable.SE_NT_Cnt->value(), 2048);
  EXPECT_FALSE(nodeTable.SE_NT_Cnt->accessibleName().isEmpty());
  EXPECT_FALSE(orva.SE_ORVARemCh->accessibleName().isEmpty());
}
