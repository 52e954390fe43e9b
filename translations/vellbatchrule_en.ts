<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>VEZAROZIVADA</name>
    <message>
        <location filename="../session/GLB.cpp" line="+57"/>
        <location filename="../ruletools/CommandGuard.h" line="+36"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+123"/>
        <source>砚川提示</source>
        <translation>Vell Prompt</translation>
    </message>
    <message>
        <location line="-14"/>
        <source>错误原因：</source>
        <translation>Error cause: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>错误来源：</source>
        <translation>Error source: </translation>
    </message>
    <message>
        <location filename="../rules/BatRuleSave.cpp" line="+208"/>
        <source>系统在调用函数TakingItemDetailSaves()时发生错误</source>
        <translation>An error occurred while the system was calling TakingItemDetailSaves().</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>系统在调用函数TakingGroupDetailSaves()时发生错误</source>
        <translation>An error occurred while the system was calling TakingGroupDetailSaves().</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>系统在调用函数TakingGroupSaves()时发生错误</source>
        <translation>An error occurred while the system was calling TakingGroupSaves().</translation>
    </message>
    <message>
        <location line="-168"/>
        <source>系统检测到[级次=</source>
        <translation>The system found that at [Level=</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>]的编码属性未设置，请重新设置！</source>
        <translation>] the coding property is not set. Please set it again!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>]的编码属性的格式未设置，请重新设置！</source>
        <translation>] the format of the coding property is not set. Please set it again!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>]的编码属性的长度未设置，请重新设置！</source>
        <translation>] the length of the coding property is not set. Please set it again!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>]的编码属性的补位符未设置，请重新设置！</source>
        <translation>] the pad character of the coding property is not set. Please set it again!</translation>
    </message>
    <message>
        <location filename="../rules/PropertyCatalogue.cpp" line="+19"/>
        <source>客户代码</source>
        <translation>Customer</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>部门代码</source>
        <translation>Department</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>物料代码</source>
        <translation>Material</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>仓库代码</source>
        <translation>Warehouse</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>供应商代码</source>
        <translation>Supplier</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>业务员代码</source>
        <translation>Salesman</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>单据号码</source>
        <translation>Doc. No.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>选单号码</source>
        <translation>Source Doc.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>项目号</source>
        <translation>Project No.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>行号</source>
        <translation>Line No.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>流水号</source>
        <translation>Serial No.</translation>
    </message>
    <message>
        <location filename="../ruletools/SpreadConsole.cpp" line="+42"/>
        <source>长代码</source>
        <translation>Long Code</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>短代码</source>
        <translation>Short Code</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="+74"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+198"/>
        <source>级次</source>
        <translation>Level</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>属性</source>
        <translation>Property</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <location filename="../mainwindow/MainCommands.cpp" line="+32"/>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>长度</source>
        <translation>Len.</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>补位符</source>
        <translation>Pad</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>替换符</source>
        <translation>Subst.</translation>
    </message>
    <message>
        <location line="+158"/>
        <source>%1的批号规则现为版本%2，而不是%3，什么也没有写</source>
        <translation>The batch number rule of %1 is now version %2, not %3; nothing was written</translation>
    </message>
    <message>
        <location filename="../rules/RuleHistory.h" line="+26"/>
        <source>数据库中没有批号规则历史表ICBatchNoRuleHistory，请先运行“vell-batchrule init”建立，此后的更改都会记录</source>
        <translation>The database has no rule history table ICBatchNoRuleHistory; run “vell-batchrule init” to create it, and every change from then on is kept</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="+49"/>
        <source>只有有权查看所有物料组的用户才能查看全部规则的历史</source>
        <translation>Only a user who may see every material group can see the history of every rule</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1，什么也没有恢复</source>
        <translation>%1; nothing was restored</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>只有有权查看所有物料组的用户才能运行SQL语句</source>
        <translation>Only a user who may see every material group can run SQL</translation>
    </message>
    <message>
        <location filename="../editor/frmBatRuleSet.cpp" line="-22"/>
        <source>批号管理----编码设置</source>
        <translation>Batch Number Management----Coding Settings</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>确定(&amp;Y)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>取消(&amp;N)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <location line="-181"/>
        <source>。您要怎样处理？</source>
        <translation> since the editor read it. What would you like to do?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>重新载入(&amp;R)</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>仍然覆盖(&amp;O)</source>
        <translation>&amp;Overwrite</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>返回编辑(&amp;B)</source>
        <translation>&amp;Back to the editor</translation>
    </message>
    <message>
        <location line="+180"/>
        <source>编码设置</source>
        <translation>Coding Settings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="-254"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>蓝字入库单批次号根据规则直接产生</source>
        <translation>Blue-ink receipts take their batch numbers from the rule</translation>
    </message>
    <message>
        <location line="-2"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>物料类设置不改变个别物料设置</source>
        <translation>Group rules leave the own rules of materials alone</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>批号重复给予提示</source>
        <translation>Prompt when a batch number is duplicated</translation>
    </message>
    <message>
        <location line="-1"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>编码信息不全时可做手工改变</source>
        <translation>Batch numbers may be changed by hand when codes are missing</translation>
    </message>
    <message>
        <location line="-2"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>在单据上可手工改变批号</source>
        <translation>Batch numbers may be changed by hand on documents</translation>
    </message>
    <message>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>按明细物料</source>
        <translation>By individual material</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>按物料组</source>
        <translation>By material group</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>5、当属性值在单据上不存在，可在替换符栏里录入代替字符,如果不录入，将忽略。</source>
        <translation>5. When a document lacks the property, the Subst. character stands in for it; without one, the property is left out.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>4、当编码不足规定的长度时，可在补位符栏里录入补位字符。</source>
        <translation>4. A code shorter than its length is filled with the Pad character.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3、当属性值为自定义时，可在格式栏里录入自定义字符。</source>
        <translation>3. For Custom, type its characters into the Format column.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2、当属性值为日期、行号时，可在格式栏里规定其显示方式。</source>
        <translation>2. For the date or line number, Format sets how it is shown.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1、当属性值为已有的基础资料时，格式有长短代码供选择。</source>
        <translation>1. A base-data code takes the long or the short code as format.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>物料：</source>
        <translation>Material:</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>批号规则</source>
        <translation>Batch Number Rule</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>编码级次：</source>
        <translation>Coding levels:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>批号管理是企业的普遍要求，该编码设置可对批号规则灵活地进行用户设置，以便适应不同用户的不同要求。</source>
        <translation>Batch numbers are a common need of enterprises. These coding settings let each user define batch number rules that fit their own needs.</translation>
    </message>
    <message>
        <location filename="../ruletools/BatRuleEditor.cpp" line="+145"/>
        <source>批次设置长度超过200，请重新设置</source>
        <translation>The total length of the batch number rule exceeds 200. Please set it again.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>流水号只能设置一次，请重新设置</source>
        <translation>The serial number can be set only once. Please set it again.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>流水号的长度不能小于格式字符的总长度:%1，请重新设置</source>
        <translation>The length of the serial number cannot be less than the total length of its format characters: %1. Please set it again.</translation>
    </message>
    <message>
        <location filename="../mainwindow/frmBatRuleMain.cpp" line="+199"/>
        <location filename="../component/RuleAdminWindows.cpp" line="+75"/>
        <source>批号管理</source>
        <translation>Batch Number Management</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainCommands.cpp" line="+29"/>
        <source>新增</source>
        <translation>New</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>管理</source>
        <translation>Manage</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>修改</source>
        <translation>Modify</translation>
    </message>
    <message>
        <location line="-25"/>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+1"/>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <location line="-25"/>
        <location filename="../mainwindow/frmBatRuleMain.cpp" line="+4"/>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <location line="+107"/>
        <source>主菜单</source>
        <translation>Main Menu</translation>
    </message>
    <message>
        <location line="-135"/>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>格式(&amp;L)</source>
        <translation>&amp;Layout</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>查看</source>
        <translation>View</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>打印(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>打印预览(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>打印设置(&amp;R)</source>
        <translation>P&amp;rint Setup</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>引出数据(&amp;O)...</source>
        <translation>Exp&amp;ort Data...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>管理(&amp;M)</source>
        <translation>&amp;Manage</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>新增(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>汇总(&amp;H)...</source>
        <translation>Summar&amp;y...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>搜索(&amp;F)...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>排序(&amp;S)...</source>
        <translation>S&amp;ort...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>过滤(&amp;F)...</source>
        <translation>Fil&amp;ter...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>保存后立即刷新</source>
        <translation>Refresh Immediately After Saving</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>更改历史(&amp;Y)...</source>
        <translation>Change Histor&amp;y...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>历史</source>
        <translation>History</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>工具条(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>工具条标签(&amp;L)</source>
        <translation>Toolbar &amp;Labels</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>状态条(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>帮助手册(&amp;C)</source>
        <translation>Help &amp;Contents</translation>
    </message>
    <message>
        <location filename="../mainwindow/frmBatRuleMain.cpp" line="-39"/>
        <source>大小写字母状态</source>
        <translation>Caps Lock state</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>数字键盘状态</source>
        <translation>Num Lock state</translation>
    </message>
    <message numerus="yes">
        <location line="+311"/>
        <source>已将 %n 页送往 %1</source>
        <translation>
            <numerusform>%n page sent to %1</numerusform>
            <numerusform>%n pages sent to %1</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../ruletools/HistoryModel.cpp" line="+48"/>
        <location filename="../mainwindow/frmBatRuleMain.cpp" line="-311"/>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <location filename="../rules/StoredRules.cpp" line="+61"/>
        <location filename="../ruletools/EditorTarget.cpp" line="+24"/>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="+138"/>
        <location filename="../ruletools/RuleImport.cpp" line="+94"/>
        <location filename="../mainwindow/GroupTree.cpp" line="+38"/>
        <location filename="../mainwindow/FoundItemsModel.cpp" line="+31"/>
        <location filename="../mainwindow/frmBatRuleMain.cpp" line="+38"/>
        <source>物料</source>
        <translation>Material</translation>
    </message>
    <message>
        <location filename="../mainwindow/BatRuleLedger.cpp" line="+19"/>
        <source>内码|物料代码|物料名称|批号规则|</source>
        <translation>Internal ID|Material Code|Material Name|Batch Number Rule|</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>共有</source>
        <translation>Total: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>条记录</source>
        <translation> record(s)</translation>
    </message>
    <message>
        <location filename="../printing/BatRulePrint.cpp" line="+52"/>
        <source>物料组：%1</source>
        <translation>Material group: %1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>|打印日期：&amp;[日期]</source>
        <translation>|Print date: &amp;[日期]</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>第 &amp;[页] 页</source>
        <translation>Page &amp;[页]</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>|共 &amp;[总页] 页</source>
        <translation>|Pages: &amp;[总页]</translation>
    </message>
    <message>
        <location filename="../component/HelpBrowser.cpp" line="+46"/>
        <source>找不到帮助主题%1：%2</source>
        <translation>Help topic %1 was not found: %2</translation>
    </message>
    <message>
        <location filename="../ruletools/EditorTarget.cpp" line="+35"/>
        <location filename="../ruletools/RuleAdmin.cpp" line="+34"/>
        <source>找不到物料%1</source>
        <translation>Material %1 was not found</translation>
    </message>
    <message>
        <location line="-34"/>
        <source>找不到物料组%1</source>
        <translation>Material group %1 was not found</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="+193"/>
        <source>没有选项“%1”</source>
        <translation>There is no option &quot;%1&quot;</translation>
    </message>
    <message>
        <location filename="../ruletools/EditorTarget.cpp" line="+21"/>
        <source>根物料组的规则适用于所有物料，只有有权查看所有物料组的用户才能查看或更改它</source>
        <translation>The root’s rule reaches every material: only a user who may see every material group can read or change it</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>物料%1不是批次管理的物料</source>
        <translation>Material %1 is not managed by batch</translation>
    </message>
    <message>
        <location filename="../ruletools/SpreadConsole.cpp" line="+212"/>
        <source>第%1级没有“%2”这一选项</source>
        <translation>Level %1 offers no choice &quot;%2&quot;</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>第%1级的“%2”不是允许的整数</source>
        <translation>&quot;%2&quot; is not an allowed whole number at level %1</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>第%1级的“%2”多于五项：属性:格式:长度:补位符:替换符</source>
        <translation>&quot;%2&quot; at level %1 has more than five parts: property:format:length:pad:substitute</translation>
    </message>
    <message>
        <location line="-14"/>
        <source>第%1级的“%2”太长</source>
        <translation>&quot;%2&quot; is too long at level %1</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>第%1级的属性“%2”不在属性列表中</source>
        <translation>The property &quot;%2&quot; at level %1 is not in the property list</translation>
    </message>
    <message>
        <location line="-14"/>
        <source>第%1级的行号格式只能由0组成，不能是“%2”</source>
        <translation>The line-number format at level %1 may hold only zeros, not &quot;%2&quot;</translation>
    </message>
    <message>
        <location line="-15"/>
        <source>第%1级的这一格由属性决定，不能输入“%2”</source>
        <translation>At level %1 this cell follows from the property; &quot;%2&quot; cannot be entered</translation>
    </message>
    <message>
        <location filename="../ruletools/BatRuleEditor.cpp" line="+143"/>
        <source>系统在调用函数WriteBatchOptions()时发生错误</source>
        <translation>An error occurred while the system was calling WriteBatchOptions().</translation>
    </message>
    <message>
        <location line="-158"/>
        <source>编码级次必须是1到%1级</source>
        <translation>A rule has 1 to %1 levels</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="+2"/>
        <source>选项%1只能是0或1，不能是“%2”</source>
        <translation>Option %1 takes only 0 or 1, not &quot;%2&quot;</translation>
    </message>
    <message>
        <location filename="../ruletools/SpreadConsole.cpp" line="-12"/>
        <source>第%1级的“%2”含有换行、制表符等控制字符，批号中不能使用，请重新设置</source>
        <translation>Level %1: “%2” holds a line break, tab or other control character, which no batch number can hold. Please set it again.</translation>
    </message>
    <message>
        <location filename="../ruletools/BatRuleEditor.cpp" line="+41"/>
        <source>找不到物料组%1或无权查看它，不能按物料组设置规则</source>
        <translation>Material group %1 was not found or may not be viewed, so no group rule can be set for it.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>物料组%1没有代码，不能按物料组设置规则</source>
        <translation>Material group %1 has no number, so no group rule can be set for it.</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>%1的批号规则在编辑器读取之后已被更改</source>
        <translation>The batch number rule of %1 was changed</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../ruletools/HistoryModel.cpp" line="+22"/>
        <location filename="../ruletools/RuleImport.cpp" line="+261"/>
        <source>系统在读取批号规则的历史时发生错误</source>
        <translation>The system failed while reading the batch number rule history</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <location line="+30"/>
        <location filename="../ruletools/RuleRestore.cpp" line="+87"/>
        <source>系统在调用函数BeginTrans()时发生错误</source>
        <translation>An error occurred while the system was calling BeginTrans().</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>系统在调用函数ReadBatchOptions()时发生错误</source>
        <translation>An error occurred while the system was calling ReadBatchOptions().</translation>
    </message>
    <message>
        <location line="+5"/>
        <location filename="../ruletools/RuleRestore.cpp" line="+13"/>
        <source>系统在调用函数CommitTrans()时发生错误</source>
        <translation>An error occurred while the system was calling CommitTrans().</translation>
    </message>
    <message>
        <location filename="../rules/RuleFile.cpp" line="+145"/>
        <source>%1应是整数，不是“%2”</source>
        <translation>%1 must be a whole number, not “%2”</translation>
    </message>
    <message>
        <location filename="../component/BatchNumberIssuer.cpp" line="+81"/>
        <source>数据库中没有批号流水号表ICBatchNoSerial，请先运行“vell-batchrule batch init”建立</source>
        <translation>The database has no table ICBatchNoSerial for the batch numbers’ serials; run “vell-batchrule batch init” to create it</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>数据库中没有已发放批号表ICBatchNoIssued，请先运行“vell-batchrule batch init”建立</source>
        <translation>The database has no table ICBatchNoIssued for the batch numbers issued; run “vell-batchrule batch init” to create it</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>物料%1在批号“%2”下的流水号最大为%3，已不够再发放%4个批号；没有发放任何批号</source>
        <translation>The serial of material %1 in the batch number “%2” goes up to %3 and cannot give %4 more batch numbers; no batch number was issued</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>物料%1的批号“%2”长于%3个字符，不能发放</source>
        <translation>The batch number “%2” of material %1 is longer than %3 characters and cannot be issued</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>没有为%1发放过批号“%2”</source>
        <translation>No batch number “%2” was issued for %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>批号“%1”已发放，但发放的时间、用户和规则版本没有记录在案</source>
        <translation>Batch number “%1” was issued, but when, for whom and from which rule version is not on record</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>批号“%1”于%2发放给用户%3，由批号规则版本%4组成</source>
        <translation>Batch number “%1” was issued at %2 for user %3, composed from rule version %4</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>设置该规则版本的更改没有记录在案</source>
        <translation>The change that set this rule version is not on record</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>该规则版本由用户%1于%2经由%3设置（历史记录%4，%5）</source>
        <translation>This rule version was set by user %1 at %2 through %3 (history entry %4, %5)</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="-66"/>
        <location filename="../component/BatchNumberIssuer.cpp" line="+57"/>
        <source>%1没有批号规则</source>
        <translation>%1 has no batch number rule</translation>
    </message>
    <message>
        <location filename="../component/BatchNumberIssuer.cpp" line="+12"/>
        <source>一次可发放1到%1个批号，不能是%2个</source>
        <translation>From 1 to %1 batch numbers can be issued at a time, not %2</translation>
    </message>
    <message>
        <location line="-90"/>
        <source>%1的批号规则中没有流水号，发放的批号都相同</source>
        <translation>The batch number rule of %1 has no serial number: every batch number issued is the same</translation>
    </message>
    <message>
        <location filename="../rules/RuleFile.cpp" line="-9"/>
        <source>Owner应是item或group，不是“%1”</source>
        <translation>Owner must be item or group, not “%1”</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="-27"/>
        <source>可以导入%1条物料规则和%2条物料组规则；试运行，什么也没有写</source>
        <translation>Rules that can be imported: %1 of materials, %2 of groups; a dry run, nothing was written</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>导入了%1条物料规则和%2条物料组规则</source>
        <translation>Rules imported: %1 of materials, %2 of groups</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="-85"/>
        <location filename="../component/BatchNumberIssuer.cpp" line="-120"/>
        <source>属性“%1”不在属性目录中</source>
        <translation>The property “%1” is not in the property catalogue</translation>
    </message>
    <message>
        <location filename="../rules/RuleFile.cpp" line="-5"/>
        <source>应有%1项，而不是%2项</source>
        <translation>Fields expected: %1, not %2</translation>
    </message>
    <message>
        <location line="-50"/>
        <source>引号没有结束</source>
        <translation>A quoted field is not closed</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="+76"/>
        <source>打不开规则文件%1：%2</source>
        <translation>Cannot open the rule file %1: %2</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleImport.cpp" line="-251"/>
        <source>找不到批次管理的物料%1或无权查看它</source>
        <translation>Batch-managed material %1 was not found or may not be viewed</translation>
    </message>
    <message>
        <location line="+240"/>
        <source>%1的规则没有Version列，不能确认它没有变；请用“rule export --versions”导出规则文件</source>
        <translation>The rule of %1 has no Version column, so it cannot be confirmed unchanged; export the rule file with “rule export --versions”</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1的批号规则在导出之后已被更改（%2），什么也没有导入</source>
        <translation>The batch number rule of %1 was changed after the export (%2); nothing was imported</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>历史中没有这次更改</source>
        <translation>that change is not on record</translation>
    </message>
    <message>
        <location line="-256"/>
        <source>找不到物料组%1或无权查看它</source>
        <translation>Material group %1 was not found or may not be viewed</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleLint.cpp" line="+171"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="-38"/>
        <source>检查了%1条规则：%2个错误，%3个警告，%4个提示</source>
        <translation>Checked %1 rules: %2 errors, %3 warnings, %4 notes</translation>
    </message>
    <message>
        <location filename="../editor/frmBatRuleSet.cpp" line="+67"/>
        <source>正在统计将更改的物料……</source>
        <translation>Counting the materials that would change…</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="-16"/>
        <location filename="../mainwindow/FoundItemsModel.cpp" line="+0"/>
        <location filename="../mainwindow/frmBatRuleMain.cpp" line="-1"/>
        <source>物料组</source>
        <translation>Material group</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="-36"/>
        <source>物料组“%1”的规则：%2</source>
        <translation>Rule of material group “%1”: %2</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="-30"/>
        <source>物料组%1：%2</source>
        <translation>Material group %1: %2</translation>
    </message>
    <message>
        <location filename="../ruletools/BatchPreview.cpp" line="+96"/>
        <source>示例批号：</source>
        <translation>Sample batch number: </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>示例批号（有误）：</source>
        <translation>Sample batch number (invalid): </translation>
    </message>
    <message>
        <location filename="../ruletools/RuleImport.cpp" line="+161"/>
        <source>第%1级的FUseShortNumber应是0（长代码）或1（短代码）</source>
        <translation>Level %1: FUseShortNumber must be 0 (long code) or 1 (short code)</translation>
    </message>
    <message>
        <location line="-12"/>
        <location filename="../ruletools/RuleLint.cpp" line="-50"/>
        <source>第%1级的属性%2不在属性目录中，单据无法提供它</source>
        <translation>Level %1: property %2 is not in the property catalogue; no document can supply it</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleLint.cpp" line="-41"/>
        <source>第%1级的流水号长%2位，每天最多%3个批次</source>
        <translation>Level %1: a serial number of %2 digits allows at most %3 batches a day</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>第%1级的流水号长%2位，每年最多%3个批次</source>
        <translation>Level %1: a serial number of %2 digits allows at most %3 batches a year</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>第%1级的流水号长%2位，每月最多%3个批次</source>
        <translation>Level %1: a serial number of %2 digits allows at most %3 batches a month</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>第%1级的流水号长%2位，规则中没有日期，总共最多%3个批次</source>
        <translation>Level %1: a serial number of %2 digits in a rule without a date allows at most %3 batches in all</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>第%1级的物料代码%2有%3个字符，长于该级的长度%4，批号中只留前%4个</source>
        <translation>Level %1: the material code %2 has %3 characters, more than the level&apos;s length %4; the batch number keeps the first %4</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleImport.cpp" line="-207"/>
        <source>第%1行：%2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <location filename="../rules/RuleFile.cpp" line="+209"/>
        <source>第一行应是表头：%1</source>
        <translation>The first line must be the header: %1</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleImport.cpp" line="+161"/>
        <source>级次应是%1，而不是%2：一条规则的级次从1起连续编号</source>
        <translation>The level must be %1, not %2: the levels of a rule run from 1 without gaps</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleLint.cpp" line="+55"/>
        <source>规则中既没有日期也没有流水号，同一张单据的各批次会得到相同的批号</source>
        <translation>The rule has neither a date nor a serial number: every batch of one document gets the same number</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="-33"/>
        <source>规则文件%1不是UTF-8文本</source>
        <translation>The rule file %1 is not UTF-8 text</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>规则文件%1有%2处不能导入，什么也没有写：</source>
        <translation>The rule file %1 has %2 lines that cannot be imported; nothing was written:</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleLint.cpp" line="+21"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleImport.cpp" line="-135"/>
        <source>读不到物料和物料组，没有导入任何规则</source>
        <translation>The materials and groups could not be read; no rule was imported</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleLint.cpp" line="-2"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location filename="../ruletools/BatchPreview.cpp" line="+8"/>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="+71"/>
        <source>规则文件没有写完：写入失败</source>
        <translation>The rule file is incomplete: writing failed</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+5"/>
        <source>规则文件%1没有写完：%2</source>
        <translation>The rule file %1 is incomplete: %2</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleImport.cpp" line="+43"/>
        <source>物料代码%1与多个物料相近：%2，不能确定是哪一个</source>
        <translation>Material code %1 is close to several materials: %2; it cannot be told which one is meant</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>物料组代码%1与多个物料组相近：%2，不能确定是哪一个</source>
        <translation>Material group code %1 is close to several material groups: %2; it cannot be told which one is meant</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="-108"/>
        <source>读不完规则文件%1：%2</source>
        <translation>Cannot read the whole rule file %1: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>规则文件%1的第%2行长于%3字节，不是规则文件，什么也没有写</source>
        <translation>Line %2 of %1 is longer than %3 bytes: this is no rule file; nothing was written</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>规则文件%1多于%2行：您能看到的物料和物料组每个最多有%3级，什么也没有写</source>
        <translation>The rule file %1 has more than %2 rows: the materials and groups you may see have at most %3 levels each; nothing was written</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="+8"/>
        <source>……另有%1个物料</source>
        <translation>… and %1 more materials</translation>
    </message>
    <message>
        <location filename="../hostapp/Commands.cpp" line="+96"/>
        <source>已建立演示数据库</source>
        <translation>Demo database created</translation>
    </message>
    <message>
        <location filename="../ruletools/HistoryRecorder.cpp" line="+51"/>
        <location line="+11"/>
        <source>系统在记录批号规则的历史时发生错误</source>
        <translation>An error occurred while the system was recording the history of the batch number rule</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleRestore.cpp" line="-80"/>
        <source>系统在恢复批号规则时发生错误</source>
        <translation>The system failed while restoring the batch number rule</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>没有编号为%1的批号规则历史记录</source>
        <translation>There is no batch number rule history entry %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>历史记录%1是批号选项的更改，不能恢复，请用“options set”设置选项</source>
        <translation>History entry %1 is a change of the batch options and cannot be restored; set the options with “options set”</translation>
    </message>
    <message>
        <location filename="../rules/RuleHistory.cpp" line="+64"/>
        <source>编辑器</source>
        <translation>editor</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>命令行</source>
        <translation>command line</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>规则文件引入</source>
        <translation>rule file import</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>恢复</source>
        <translation>restore</translation>
    </message>
    <message>
        <location line="-15"/>
        <location line="+16"/>
        <source>批号选项</source>
        <translation>batch options</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>宿主程序</source>
        <translation>host program</translation>
    </message>
    <message>
        <location line="-15"/>
        <source>物料%1</source>
        <translation>material %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>物料组%1</source>
        <translation>material group %1</translation>
    </message>
    <message>
        <location filename="../ruletools/HistoryModel.cpp" line="-22"/>
        <source>记录</source>
        <translation>Entry</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>用户</source>
        <translation>User</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>来源</source>
        <translation>Source</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>对象</source>
        <translation>Owner</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>更改前</source>
        <translation>Before</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>更改后</source>
        <translation>After</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>物料数</source>
        <translation>Materials</translation>
    </message>
    <message>
        <location filename="../ruletools/HistoryRecorder.cpp" line="+31"/>
        <source>记录%1，%2：%3于%4经%5更改</source>
        <translation>record %1, %2: %3 at %4 through %5</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleRestore.cpp" line="+38"/>
        <source>%1的批号规则在历史记录%2之后已被更改，历史中没有这次更改</source>
        <translation>The batch number rule of %1 was changed after history entry %2, and that change is not on record</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1的批号规则在历史记录%2之后已被更改（%3）</source>
        <translation>The batch number rule of %1 was changed after history entry %2 (%3)</translation>
    </message>
    <message>
        <location filename="../mainwindow/HistoryWindow.cpp" line="+28"/>
        <location filename="../mainwindow/MainCommands.cpp" line="-8"/>
        <source>批号规则的更改历史</source>
        <translation>Batch Number Rule Change History</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>全部规则的更改(&amp;A)</source>
        <translation>Changes of &amp;all rules</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>恢复更改前的规则(&amp;R)</source>
        <translation>&amp;Restore the rule before</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>全部批号规则和批号选项的更改，最新的在前</source>
        <translation>Changes of every batch number rule and of the batch options, newest first</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>%1的批号规则的更改，最新的在前</source>
        <translation>Changes of the batch number rule of %1, newest first</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>要把规则恢复成记录%1更改之前的样子吗？</source>
        <translation>Restore the rule as it was before the change of entry %1?</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1。仍然恢复吗？</source>
        <translation>%1. Restore anyway?</translation>
    </message>
    <message>
        <location filename="../mainwindow/FindBox.cpp" line="+60"/>
        <source>搜索</source>
        <translation>Find</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>物料或物料组的代码、名称(&amp;N)：</source>
        <translation>Code or name of a material or material group (&amp;N):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>搜索结果</source>
        <translation>Matches</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>输入代码或名称的任意部分</source>
        <translation>Type any part of a code or name</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>正在查找…</source>
        <translation>Searching…</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>没有找到</source>
        <translation>Nothing found</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>物料组：%1&#x3000;物料：%2&#x3000;（Enter 转到，F3 下一个）</source>
        <translation>Material groups: %1   Materials: %2   (Enter goes to it, F3 to the next)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>它所在的物料组不在物料组树中</source>
        <translation>Its material group is not in the group tree</translation>
    </message>
    <message>
        <location filename="../mainwindow/FoundItemsModel.cpp" line="+15"/>
        <source>类别</source>
        <translation>Kind</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>代码</source>
        <translation>Code</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message numerus="yes">
        <location filename="../ruletools/SpreadDryRun.cpp" line="+15"/>
        <source>将更改 %n 个物料的规则（保留 %1 个）</source>
        <translation>
            <numerusform>Changes the rule of %n material (own rules kept: %1)</numerusform>
            <numerusform>Changes the rules of %n materials (own rules kept: %1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>将更改 %n 个物料的规则</source>
        <translation>
            <numerusform>Changes the rule of %n material</numerusform>
            <numerusform>Changes the rules of %n materials</numerusform>
        </translation>
    </message>
</context>
</TS>
