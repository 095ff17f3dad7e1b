#pragma once

// Help topics opened by the Help buttons, by context number. Contents is the contents page.
namespace HelpContext {
constexpr int Contents = 0;
constexpr int MainWindow = 2016;
constexpr int ChooseCards = 2020;
constexpr int PreviewWindow = 2039;
constexpr int BackgroundArt = 2101;
constexpr int PersonalInformation = 2102;
constexpr int FineTuning = 2103;
constexpr int BottomMarginWarning = 2105;
constexpr int PrintShop = 2110;
constexpr int SheetLayout = 3101;
constexpr int MergeList = 3201;
constexpr int MultiLineText = 40001;
constexpr int ImageBrowser = 40003;
constexpr int TextCaption = 40004;
constexpr int SymbolSelector = 40005;
constexpr int Text3DEffects = 40008;
constexpr int RirizIzaduProperties = 40011;
constexpr int LoadTextureBitmap = 40012;
constexpr int RichText = 40013;
constexpr int DiduzOvozProperties = 40014;
constexpr int BarcodeProperties = 40015;
} // namespace HelpContext
