<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>BaseSettingDlg</name>
    <message>
        <source>Ok</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>%1: its texts (%2) were not found, shown in English</source>
        <translation>%1：找不到其介面文字（%2），以英文顯示</translation>
    </message>
    <message>
        <source>control port off: %1</source>
        <translation>控制埠已關閉：%1</translation>
    </message>
    <message>
        <source>UserData.data was not read (it holds serialised data): defaults in use, the file kept</source>
        <translation>未讀取 UserData.data（其中含有序列化資料）：使用預設設定，檔案保持不變</translation>
    </message>
</context>
<context>
    <name>PositionFrame</name>
    <message>
        <source>                            </source>
        <translation>                            </translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>寬度</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高度</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>位址</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>列數</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>欄數</translation>
    </message>
    <message>
        <source>Edge X</source>
        <translation>水平補償</translation>
    </message>
    <message>
        <source>Edge Y</source>
        <translation>垂直補償</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Columns of the splice grid, 1 to 8</source>
        <translation>拼接網格的欄數，1 到 8</translation>
    </message>
    <message>
        <source>Device address of the selected window, 0 to 63</source>
        <translation>所選視窗的裝置位址，0 到 63</translation>
    </message>
    <message>
        <source>Give the selected window this address</source>
        <translation>將此位址指定給所選視窗</translation>
    </message>
    <message>
        <source>Height of the selected window, %1 to %2</source>
        <translation>所選視窗的高度，%1 到 %2</translation>
    </message>
    <message>
        <source>Horizontal edge compensation, 0 to 255</source>
        <translation>水平邊緣補償，0 到 255</translation>
    </message>
    <message>
        <source>Keep the splice grid; in the standard model also send it to the wall</source>
        <translation>保存拼接網格；在標準模式下同時傳送到螢幕牆</translation>
    </message>
    <message>
        <source>Left edge of the selected window, %1 to %2</source>
        <translation>所選視窗的左邊緣，%1 到 %2</translation>
    </message>
    <message>
        <source>Rows of the splice grid, 1 to 8</source>
        <translation>拼接網格的列數，1 到 8</translation>
    </message>
    <message>
        <source>Send the rectangle typed above to the selected window</source>
        <translation>將上面輸入的矩形傳送到所選視窗</translation>
    </message>
    <message>
        <source>Top edge of the selected window, %1 to %2</source>
        <translation>所選視窗的上邊緣，%1 到 %2</translation>
    </message>
    <message>
        <source>Vertical edge compensation, 0 to 255</source>
        <translation>垂直邊緣補償，0 到 255</translation>
    </message>
    <message>
        <source>Width of the selected window, %1 to %2</source>
        <translation>所選視窗的寬度，%1 到 %2</translation>
    </message>
    <message>
        <source>Windows covering whole display units, in the splice grid</source>
        <translation>按拼接網格覆蓋整個顯示單元的視窗</translation>
    </message>
    <message>
        <source>Windows drawn freely on the wall</source>
        <translation>在螢幕牆上自由繪製的視窗</translation>
    </message>
</context>
<context>
    <name>SceneFrame</name>
    <message>
        <source>Rename</source>
        <translation>重新命名</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>場景 %1</translation>
    </message>
    <message>
        <source>Empty: Ctrl+click stores the wall here.</source>
        <translation>空白：按住 Ctrl 點選可將目前螢幕牆儲存到此處。</translation>
    </message>
    <message>
        <source>Damaged: %1 holds no layout. Ctrl+click stores the wall here.</source>
        <translation>已損壞：%1 中沒有佈局。按住 Ctrl 點選可將目前螢幕牆儲存到此處。</translation>
    </message>
    <message>
        <source>%1 windows</source>
        <translation>%1 個視窗</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>儲存於 %1</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>場景</translation>
    </message>
    <message>
        <source>%1 cannot be recalled: %2 is damaged or holds no window. The wall is unchanged.</source>
        <translation>無法載入「%1」：%2 已損壞或不含任何視窗。牆面保持不變。</translation>
    </message>
    <message>
        <source>Replace the layout in %1 with the wall as it is now?</source>
        <translation>要用目前的螢幕牆取代「%1」中的佈局嗎？</translation>
    </message>
    <message>
        <source>Clear %1? Its layout file %2 is removed.</source>
        <translation>要清除「%1」嗎？其佈局檔案 %2 將被刪除。</translation>
    </message>
    <message>
        <source>%1 could not be removed.</source>
        <translation>無法刪除 %1。</translation>
    </message>
    <message>
        <source>Click: recall. Ctrl+click: store the wall.</source>
        <translation>點選：載入場景。Ctrl+點選：儲存目前螢幕牆。</translation>
    </message>
    <message>
        <source>Save here</source>
        <translation>儲存到此處</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
</context>
<context>
    <name>SerialLink</name>
    <message>
        <source>a network port is named with its host and port, as in socket://192.168.1.50:4001</source>
        <translation>網路連接埠要寫明主機和連接埠，例如 socket://192.168.1.50:4001</translation>
    </message>
    <message>
        <source>no port chosen</source>
        <translation>未選擇連接埠</translation>
    </message>
    <message>
        <source>the line went away (adapter unplugged, or the connection closed)</source>
        <translation>線路已中斷（轉接器被拔出，或連線已關閉）</translation>
    </message>
    <message>
        <source>connection refused: is the device server on, and the port right?</source>
        <translation>連線被拒絕：裝置伺服器是否已開啟，連接埠是否正確？</translation>
    </message>
    <message>
        <source>host not found</source>
        <translation>找不到主機</translation>
    </message>
    <message>
        <source>no answer within %1 seconds</source>
        <translation>%1 秒內無回應</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>沒有此裝置</translation>
    </message>
    <message>
        <source>permission denied: the user must be in the dialout group (sudo usermod -aG dialout $USER, then log in again)</source>
        <translation>權限不足：使用者須屬於 dialout 群組（sudo usermod -aG dialout $USER，然後重新登入）</translation>
    </message>
    <message>
        <source>the port is busy: another program has it open</source>
        <translation>連接埠忙碌：另一個程式已開啟它</translation>
    </message>
    <message>
        <source>the port is locked by another program</source>
        <translation>連接埠被另一個程式鎖定</translation>
    </message>
</context>
<context>
    <name>SettingAddressDlg</name>
    <message>
        <source>Address Setting</source>
        <translation>位址設定</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>位址</translation>
    </message>
    <message>
        <source>0 to 63</source>
        <translation>0 到 63</translation>
    </message>
</context>
<context>
    <name>SettingAliasDlg</name>
    <message>
        <source>Alias Setting</source>
        <translation>別名設定</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>預設名稱</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>別名</translation>
    </message>
</context>
<context>
    <name>SettingCommonDlg</name>
    <message>
        <source>Resolution Setting</source>
        <translation>解析度設定</translation>
    </message>
    <message>
        <source>Mode Setting</source>
        <translation>模式設定</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>解析度</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
</context>
<context>
    <name>SettingConnectiondlg</name>
    <message>
        <source>Port</source>
        <translation>序列埠</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>SettingPosDlg</name>
    <message>
        <source>Position Setting</source>
        <translation>位置設定</translation>
    </message>
    <message>
        <source>Start X</source>
        <translation>起始 X</translation>
    </message>
    <message>
        <source>Start Y</source>
        <translation>起始 Y</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>寬度</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高度</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 到 %2</translation>
    </message>
</context>
<context>
    <name>SettingRotateDlg</name>
    <message>
        <source>Rotate Setting</source>
        <translation>旋轉設定</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>旋轉</translation>
    </message>
</context>
<context>
    <name>SpliceFrmae</name>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Wall setup</source>
        <translation>螢幕牆設定</translation>
    </message>
    <message>
        <source>Another scene type clears the wall: its %1 windows are removed from the picture (the wall keeps showing them until a layout is sent). Go on?</source>
        <translation>變更場景類型會清空螢幕牆：其 %1 個視窗將從畫面中移除（在傳送佈局之前，螢幕牆上仍會顯示這些視窗）。是否繼續？</translation>
    </message>
</context>
<context>
    <name>SpliceScene</name>
    <message>
        <source>Waring</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Address conflict, setting is failed!</source>
        <translation>位址衝突，設定失敗！</translation>
    </message>
    <message>
        <source>New Window</source>
        <translation>新增視窗</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>全螢幕</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>位址</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>旋轉</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>解析度</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重設</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>載入</translation>
    </message>
    <message>
        <source>The layout could not be saved in %1 (%2).</source>
        <translation>版面未能儲存到 %1（%2）。</translation>
    </message>
    <message>
        <source>%1 holds no wall layout; the wall is unchanged.</source>
        <translation>%1 中沒有牆面版面，牆面保持不變。</translation>
    </message>
    <message>
        <source>Sending the layout: %1 of %2 windows</source>
        <translation>正在傳送佈局：%2 個視窗中的第 %1 個</translation>
    </message>
    <message>
        <source>The windows of this layout belong to the %1, but the %2 is shown. Switch to the %1 to see them?</source>
        <translation>此佈局的視窗屬於「%1」，但目前顯示的是「%2」。要切換到「%1」檢視這些視窗嗎？</translation>
    </message>
    <message>
        <source>standard model</source>
        <translation>標準拼接</translation>
    </message>
    <message>
        <source>irregular model</source>
        <translation>任意拼接</translation>
    </message>
    <message>
        <source>%1 of %2 windows sent before the link was lost</source>
        <translation>連線中斷前已傳送 %2 個視窗中的 %1 個</translation>
    </message>
    <message>
        <source>windows not sent (no link): %1</source>
        <translation>未傳送的視窗（未連線）：%1</translation>
    </message>
    <message>
        <source>windows of the other model sent unseen: %1</source>
        <translation>已傳送但此畫面中看不到的另一拼接模式視窗：%1</translation>
    </message>
    <message>
        <source>closed windows still on the wall: %1 (reset their units)</source>
        <translation>已關閉但仍在螢幕牆上的視窗：%1（請重設其所在單元）</translation>
    </message>
</context>
<context>
    <name>TitleFrame</name>
    <message>
        <source>Setting</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>連線</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>中斷連線</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>語言</translation>
    </message>
    <message>
        <source>About</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>Video Wall Controller</source>
        <translation>視訊牆控制系統</translation>
    </message>
    <message>
        <source>Connected: %1</source>
        <translation>已連線：%1</translation>
    </message>
    <message>
        <source>Lost %1: %2</source>
        <translation>已中斷 %1：%2</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>未連線</translation>
    </message>
    <message>
        <source>Not connected: %1</source>
        <translation>未連線：%1</translation>
    </message>
    <message>
        <source>Send layout</source>
        <translation>傳送佈局</translation>
    </message>
    <message>
        <source>Choose the controller&apos;s port: a serial port, or a device server&apos;s network address</source>
        <translation>選擇控制器的連接埠：序列埠，或裝置伺服器的網路位址</translation>
    </message>
    <message>
        <source>Close the program; the wall and the settings are kept</source>
        <translation>關閉程式；螢幕牆佈局和設定會保留</translation>
    </message>
    <message>
        <source>Let go of the port; nothing is sent</source>
        <translation>釋放連接埠；不再傳送任何內容</translation>
    </message>
    <message>
        <source>License: %1</source>
        <translation>授權條款：%1</translation>
    </message>
    <message>
        <source>Maximize or restore</source>
        <translation>最大化或還原</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Open the port and send the changes to the controller</source>
        <translation>開啟連接埠並將變更傳送到控制器</translation>
    </message>
    <message>
        <source>Qt %1</source>
        <translation>Qt %1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>復原</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>版本 %1</translation>
    </message>
    <message>
        <source>Wall setup…</source>
        <translation>螢幕牆設定…</translation>
    </message>
    <message>
        <source>The wall may differ: %1</source>
        <translation>螢幕牆可能與畫面不一致：%1</translation>
    </message>
    <message>
        <source>The wall may differ from this picture:</source>
        <translation>螢幕牆可能與此畫面不一致：</translation>
    </message>
    <message>
        <source>Press to send the layout again.</source>
        <translation>按此按鈕重新傳送佈局。</translation>
    </message>
    <message>
        <source>Undo, redo, wall setup, language, send the layout again, about</source>
        <translation>復原、重做、螢幕牆設定、語言、重新傳送佈局、關於</translation>
    </message>
</context>
<context>
    <name>UnitWnd</name>
    <message>
        <source>LED Setting:%1</source>
        <translation>位址：%1</translation>
    </message>
    <message>
        <source>Position:%2,%1</source>
        <translation>位置：%2,%1</translation>
    </message>
    <message>
        <source>Size:%2,%1</source>
        <translation>大小：%2,%1</translation>
    </message>
    <message>
        <source>Position:%1,%2</source>
        <translation>位置：%1,%2</translation>
    </message>
    <message>
        <source>Size:%1,%2</source>
        <translation>大小：%1,%2</translation>
    </message>
</context>
<context>
    <name>WallSetupDlg</name>
    <message>
        <source>Wall setup</source>
        <translation>螢幕牆設定</translation>
    </message>
    <message>
        <source>Unit rows</source>
        <translation>單元列數</translation>
    </message>
    <message>
        <source>Unit columns</source>
        <translation>單元欄數</translation>
    </message>
    <message>
        <source>Scene type</source>
        <translation>場景類型</translation>
    </message>
    <message>
        <source>Display units of the wall from top to bottom, 1 to %1</source>
        <translation>螢幕牆由上到下的顯示單元數，1 到 %1</translation>
    </message>
    <message>
        <source>Display units of the wall from left to right, 1 to %1</source>
        <translation>螢幕牆由左到右的顯示單元數，1 到 %1</translation>
    </message>
    <message>
        <source>How the display units stand: landscape, portrait, or stretch (a portrait wall drawn wide); changing it clears the wall</source>
        <translation>顯示單元的擺放方式：橫向、直向或延展（直向螢幕牆以橫向寬幅繪製）；變更後會清空螢幕牆</translation>
    </message>
    <message>
        <source>landscape</source>
        <translation>橫向</translation>
    </message>
    <message>
        <source>portrait</source>
        <translation>直向</translation>
    </message>
    <message>
        <source>stretch</source>
        <translation>延展</translation>
    </message>
</context>
<context>
    <name>signalframe</name>
    <message>
        <source>Irregular Model</source>
        <translation>任意拼接</translation>
    </message>
    <message>
        <source>standard Model</source>
        <translation>標準拼接</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>輸入</translation>
    </message>
    <message>
        <source>Add Info</source>
        <translation>資訊顯示</translation>
    </message>
    <message>
        <source>On</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重設</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>載入</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>輸出</translation>
    </message>
    <message>
        <source>Splice Model</source>
        <translation>拼接模式</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>列數</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>欄數</translation>
    </message>
    <message>
        <source>Edge X</source>
        <translation>水平補償</translation>
    </message>
    <message>
        <source>Edge Y</source>
        <translation>垂直補償</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Splice Setting</source>
        <translation>拼接設定</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存新檔</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>所有檔案 (*)</translation>
    </message>
    <message>
        <source>Hide the units&apos; addresses</source>
        <translation>隱藏各單元的位址</translation>
    </message>
    <message>
        <source>Layouts (*.json *.data)</source>
        <translation>佈局 (*.json *.data)</translation>
    </message>
    <message>
        <source>Load a layout from a file and send it to the wall (Ctrl+O)</source>
        <translation>從檔案載入佈局並傳送到螢幕牆 (Ctrl+O)</translation>
    </message>
    <message>
        <source>Reset every display unit of the wall (asks first)</source>
        <translation>重設螢幕牆的所有顯示單元（先詢問）</translation>
    </message>
    <message>
        <source>Reset every display unit of the wall? The wall goes blank while the units restart.</source>
        <translation>要重設螢幕牆的所有顯示單元嗎？單元重新啟動期間螢幕牆將黑屏。</translation>
    </message>
    <message>
        <source>Save the layout of the wall in a file (Ctrl+S)</source>
        <translation>將螢幕牆的佈局儲存到檔案 (Ctrl+S)</translation>
    </message>
    <message>
        <source>Show each unit&apos;s address on the wall</source>
        <translation>在螢幕牆上顯示各單元的位址</translation>
    </message>
    <message>
        <source>Show the %1 input on the wall</source>
        <translation>在螢幕牆上顯示 %1 輸入</translation>
    </message>
</context>
</TS>
