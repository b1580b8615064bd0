<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BaseSettingDlg</name>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
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
        <translation>%1：找不到其界面文本（%2），以英文显示</translation>
    </message>
    <message>
        <source>control port off: %1</source>
        <translation>控制端口已关闭：%1</translation>
    </message>
    <message>
        <source>UserData.data was not read (it holds serialised data): defaults in use, the file kept</source>
        <translation>未读取 UserData.data（其中含有序列化数据）：使用默认设置，文件保持不变</translation>
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
        <translation>宽度</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高度</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>行数</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>列数</translation>
    </message>
    <message>
        <source>Edge X</source>
        <translation>水平补偿</translation>
    </message>
    <message>
        <source>Edge Y</source>
        <translation>垂直补偿</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Columns of the splice grid, 1 to 8</source>
        <translation>拼接网格的列数，1 到 8</translation>
    </message>
    <message>
        <source>Device address of the selected window, 0 to 63</source>
        <translation>所选窗口的设备地址，0 到 63</translation>
    </message>
    <message>
        <source>Give the selected window this address</source>
        <translation>将此地址赋予所选窗口</translation>
    </message>
    <message>
        <source>Height of the selected window, %1 to %2</source>
        <translation>所选窗口的高度，%1 到 %2</translation>
    </message>
    <message>
        <source>Horizontal edge compensation, 0 to 255</source>
        <translation>水平边缘补偿，0 到 255</translation>
    </message>
    <message>
        <source>Keep the splice grid; in the standard model also send it to the wall</source>
        <translation>保存拼接网格；在标准模式下同时发送到屏幕墙</translation>
    </message>
    <message>
        <source>Left edge of the selected window, %1 to %2</source>
        <translation>所选窗口的左边缘，%1 到 %2</translation>
    </message>
    <message>
        <source>Rows of the splice grid, 1 to 8</source>
        <translation>拼接网格的行数，1 到 8</translation>
    </message>
    <message>
        <source>Send the rectangle typed above to the selected window</source>
        <translation>将上面输入的矩形发送到所选窗口</translation>
    </message>
    <message>
        <source>Top edge of the selected window, %1 to %2</source>
        <translation>所选窗口的上边缘，%1 到 %2</translation>
    </message>
    <message>
        <source>Vertical edge compensation, 0 to 255</source>
        <translation>垂直边缘补偿，0 到 255</translation>
    </message>
    <message>
        <source>Width of the selected window, %1 to %2</source>
        <translation>所选窗口的宽度，%1 到 %2</translation>
    </message>
    <message>
        <source>Windows covering whole display units, in the splice grid</source>
        <translation>按拼接网格覆盖整个显示单元的窗口</translation>
    </message>
    <message>
        <source>Windows drawn freely on the wall</source>
        <translation>在屏幕墙上自由绘制的窗口</translation>
    </message>
</context>
<context>
    <name>SceneFrame</name>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>Preset %1</source>
        <translation>场景 %1</translation>
    </message>
    <message>
        <source>Empty: Ctrl+click stores the wall here.</source>
        <translation>空：按住 Ctrl 单击可将当前屏幕墙保存到此处。</translation>
    </message>
    <message>
        <source>Damaged: %1 holds no layout. Ctrl+click stores the wall here.</source>
        <translation>已损坏：%1 中没有布局。按住 Ctrl 单击可将当前屏幕墙保存到此处。</translation>
    </message>
    <message>
        <source>%1 windows</source>
        <translation>%1 个窗口</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>保存于 %1</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>场景</translation>
    </message>
    <message>
        <source>%1 cannot be recalled: %2 is damaged or holds no window. The wall is unchanged.</source>
        <translation>无法调用“%1”：%2 已损坏或不含任何窗口。墙面保持不变。</translation>
    </message>
    <message>
        <source>Replace the layout in %1 with the wall as it is now?</source>
        <translation>要用当前的屏幕墙替换“%1”中的布局吗？</translation>
    </message>
    <message>
        <source>Clear %1? Its layout file %2 is removed.</source>
        <translation>要清除“%1”吗？其布局文件 %2 将被删除。</translation>
    </message>
    <message>
        <source>%1 could not be removed.</source>
        <translation>无法删除 %1。</translation>
    </message>
    <message>
        <source>Click: recall. Ctrl+click: store the wall.</source>
        <translation>单击：调用场景。Ctrl+单击：保存当前屏幕墙。</translation>
    </message>
    <message>
        <source>Save here</source>
        <translation>保存到此处</translation>
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
        <translation>网络端口要写明主机和端口，例如 socket://192.168.1.50:4001</translation>
    </message>
    <message>
        <source>no port chosen</source>
        <translation>未选择端口</translation>
    </message>
    <message>
        <source>the line went away (adapter unplugged, or the connection closed)</source>
        <translation>线路已断开（适配器被拔出，或连接已关闭）</translation>
    </message>
    <message>
        <source>connection refused: is the device server on, and the port right?</source>
        <translation>连接被拒绝：设备服务器是否已开启，端口是否正确？</translation>
    </message>
    <message>
        <source>host not found</source>
        <translation>找不到主机</translation>
    </message>
    <message>
        <source>no answer within %1 seconds</source>
        <translation>%1 秒内无应答</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>没有此设备</translation>
    </message>
    <message>
        <source>permission denied: the user must be in the dialout group (sudo usermod -aG dialout $USER, then log in again)</source>
        <translation>权限不足：用户须属于 dialout 组（sudo usermod -aG dialout $USER，然后重新登录）</translation>
    </message>
    <message>
        <source>the port is busy: another program has it open</source>
        <translation>端口忙：另一个程序已打开它</translation>
    </message>
    <message>
        <source>the port is locked by another program</source>
        <translation>端口被另一个程序锁定</translation>
    </message>
</context>
<context>
    <name>SettingAddressDlg</name>
    <message>
        <source>Address Setting</source>
        <translation>地址设置</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
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
        <translation>别名设置</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认名称</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>别名</translation>
    </message>
</context>
<context>
    <name>SettingCommonDlg</name>
    <message>
        <source>Resolution Setting</source>
        <translation>分辨率设置</translation>
    </message>
    <message>
        <source>Mode Setting</source>
        <translation>模式设置</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
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
        <translation>串口</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
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
        <translation>位置设置</translation>
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
        <translation>宽度</translation>
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
        <translation>旋转设置</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>旋转</translation>
    </message>
</context>
<context>
    <name>SpliceFrmae</name>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Wall setup</source>
        <translation>屏幕墙设置</translation>
    </message>
    <message>
        <source>Another scene type clears the wall: its %1 windows are removed from the picture (the wall keeps showing them until a layout is sent). Go on?</source>
        <translation>更换场景类型会清空屏幕墙：其 %1 个窗口将从画面中移除（在发送布局之前，屏幕墙上仍会显示这些窗口）。是否继续？</translation>
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
        <translation>地址冲突，设置失败！</translation>
    </message>
    <message>
        <source>New Window</source>
        <translation>新建窗口</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>全屏</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>旋转</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>加载</translation>
    </message>
    <message>
        <source>The layout could not be saved in %1 (%2).</source>
        <translation>布局未能保存到 %1（%2）。</translation>
    </message>
    <message>
        <source>%1 holds no wall layout; the wall is unchanged.</source>
        <translation>%1 中没有墙面布局，墙面保持不变。</translation>
    </message>
    <message>
        <source>Sending the layout: %1 of %2 windows</source>
        <translation>正在发送布局：%2 个窗口中的第 %1 个</translation>
    </message>
    <message>
        <source>The windows of this layout belong to the %1, but the %2 is shown. Switch to the %1 to see them?</source>
        <translation>此布局的窗口属于“%1”，但当前显示的是“%2”。要切换到“%1”查看这些窗口吗？</translation>
    </message>
    <message>
        <source>standard model</source>
        <translation>标准拼接</translation>
    </message>
    <message>
        <source>irregular model</source>
        <translation>任意拼接</translation>
    </message>
    <message>
        <source>%1 of %2 windows sent before the link was lost</source>
        <translation>连接断开前已发送 %2 个窗口中的 %1 个</translation>
    </message>
    <message>
        <source>windows not sent (no link): %1</source>
        <translation>未发送的窗口（未连接）：%1</translation>
    </message>
    <message>
        <source>windows of the other model sent unseen: %1</source>
        <translation>已发送但此画面中看不到的另一拼接模式窗口：%1</translation>
    </message>
    <message>
        <source>closed windows still on the wall: %1 (reset their units)</source>
        <translation>已关闭但仍在屏幕墙上的窗口：%1（请复位其所在单元）</translation>
    </message>
</context>
<context>
    <name>TitleFrame</name>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Video Wall Controller</source>
        <translation>视频墙控制系统</translation>
    </message>
    <message>
        <source>Connected: %1</source>
        <translation>已连接：%1</translation>
    </message>
    <message>
        <source>Lost %1: %2</source>
        <translation>已断开 %1：%2</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Not connected: %1</source>
        <translation>未连接：%1</translation>
    </message>
    <message>
        <source>Send layout</source>
        <translation>发送布局</translation>
    </message>
    <message>
        <source>Choose the controller&apos;s port: a serial port, or a device server&apos;s network address</source>
        <translation>选择控制器的端口：串口，或设备服务器的网络地址</translation>
    </message>
    <message>
        <source>Close the program; the wall and the settings are kept</source>
        <translation>关闭程序；屏幕墙布局和设置会保留</translation>
    </message>
    <message>
        <source>Let go of the port; nothing is sent</source>
        <translation>释放端口；不再发送任何内容</translation>
    </message>
    <message>
        <source>License: %1</source>
        <translation>许可证：%1</translation>
    </message>
    <message>
        <source>Maximize or restore</source>
        <translation>最大化或还原</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Open the port and send the changes to the controller</source>
        <translation>打开端口并将更改发送到控制器</translation>
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
        <translation>撤销</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>版本 %1</translation>
    </message>
    <message>
        <source>Wall setup…</source>
        <translation>屏幕墙设置…</translation>
    </message>
    <message>
        <source>The wall may differ: %1</source>
        <translation>屏幕墙可能与画面不一致：%1</translation>
    </message>
    <message>
        <source>The wall may differ from this picture:</source>
        <translation>屏幕墙可能与此画面不一致：</translation>
    </message>
    <message>
        <source>Press to send the layout again.</source>
        <translation>按此按钮重新发送布局。</translation>
    </message>
    <message>
        <source>Undo, redo, wall setup, language, send the layout again, about</source>
        <translation>撤销、重做、屏幕墙设置、语言、重新发送布局、关于</translation>
    </message>
</context>
<context>
    <name>UnitWnd</name>
    <message>
        <source>LED Setting:%1</source>
        <translation>地址：%1</translation>
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
        <translation>屏幕墙设置</translation>
    </message>
    <message>
        <source>Unit rows</source>
        <translation>单元行数</translation>
    </message>
    <message>
        <source>Unit columns</source>
        <translation>单元列数</translation>
    </message>
    <message>
        <source>Scene type</source>
        <translation>场景类型</translation>
    </message>
    <message>
        <source>Display units of the wall from top to bottom, 1 to %1</source>
        <translation>屏幕墙从上到下的显示单元数，1 到 %1</translation>
    </message>
    <message>
        <source>Display units of the wall from left to right, 1 to %1</source>
        <translation>屏幕墙从左到右的显示单元数，1 到 %1</translation>
    </message>
    <message>
        <source>How the display units stand: landscape, portrait, or stretch (a portrait wall drawn wide); changing it clears the wall</source>
        <translation>显示单元的摆放方式：横屏、竖屏或拉伸（竖屏墙按横向宽幅绘制）；更改后会清空屏幕墙</translation>
    </message>
    <message>
        <source>landscape</source>
        <translation>横屏</translation>
    </message>
    <message>
        <source>portrait</source>
        <translation>竖屏</translation>
    </message>
    <message>
        <source>stretch</source>
        <translation>拉伸</translation>
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
        <translation>标准拼接</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Add Info</source>
        <translation>信息显示</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开启</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>载入</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Splice Model</source>
        <translation>拼接模式</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>行数</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>列数</translation>
    </message>
    <message>
        <source>Edge X</source>
        <translation>水平补偿</translation>
    </message>
    <message>
        <source>Edge Y</source>
        <translation>垂直补偿</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Splice Setting</source>
        <translation>拼接设置</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Hide the units&apos; addresses</source>
        <translation>隐藏各单元的地址</translation>
    </message>
    <message>
        <source>Layouts (*.json *.data)</source>
        <translation>布局 (*.json *.data)</translation>
    </message>
    <message>
        <source>Load a layout from a file and send it to the wall (Ctrl+O)</source>
        <translation>从文件载入布局并发送到屏幕墙 (Ctrl+O)</translation>
    </message>
    <message>
        <source>Reset every display unit of the wall (asks first)</source>
        <translation>复位屏幕墙的所有显示单元（先询问）</translation>
    </message>
    <message>
        <source>Reset every display unit of the wall? The wall goes blank while the units restart.</source>
        <translation>要复位屏幕墙的所有显示单元吗？单元重启期间屏幕墙将黑屏。</translation>
    </message>
    <message>
        <source>Save the layout of the wall in a file (Ctrl+S)</source>
        <translation>将屏幕墙的布局保存到文件 (Ctrl+S)</translation>
    </message>
    <message>
        <source>Show each unit&apos;s address on the wall</source>
        <translation>在屏幕墙上显示各单元的地址</translation>
    </message>
    <message>
        <source>Show the %1 input on the wall</source>
        <translation>在屏幕墙上显示 %1 输入</translation>
    </message>
</context>
</TS>
