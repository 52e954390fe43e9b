<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>VEZAROZIVADA</name>
    <message>
        <location filename="../session/GLB.cpp" line="+57"/>
        <location filename="../ruletools/CommandGuard.h" line="+36"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+123"/>
        <source>砚川提示</source>
        <translation>硯川提示</translation>
    </message>
    <message>
        <location line="-14"/>
        <source>错误原因：</source>
        <translation>錯誤原因：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>错误来源：</source>
        <translation>錯誤來源：</translation>
    </message>
    <message>
        <location filename="../rules/BatRuleSave.cpp" line="+208"/>
        <source>系统在调用函数TakingItemDetailSaves()时发生错误</source>
        <translation>系統在調用函數TakingItemDetailSaves()時發生錯誤</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>系统在调用函数TakingGroupDetailSaves()时发生错误</source>
        <translation>系統在調用函數TakingGroupDetailSaves()時發生錯誤</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>系统在调用函数TakingGroupSaves()时发生错误</source>
        <translation>系統在調用函數TakingGroupSaves()時發生錯誤</translation>
    </message>
    <message>
        <location line="-168"/>
        <source>系统检测到[级次=</source>
        <translation>系統檢測到[級次=</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>]的编码属性未设置，请重新设置！</source>
        <translation>]的編碼屬性未設置，請重新設置！</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>]的编码属性的格式未设置，请重新设置！</source>
        <translation>]的編碼屬性的格式未設置，請重新設置！</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>]的编码属性的长度未设置，请重新设置！</source>
        <translation>]的編碼屬性的長度未設置，請重新設置！</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>]的编码属性的补位符未设置，请重新设置！</source>
        <translation>]的編碼屬性的補位符未設置，請重新設置！</translation>
    </message>
    <message>
        <location filename="../rules/PropertyCatalogue.cpp" line="+19"/>
        <source>客户代码</source>
        <translation>客戶代碼</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>部门代码</source>
        <translation>部門代碼</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>物料代码</source>
        <translation>物料代碼</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>仓库代码</source>
        <translation>倉庫代碼</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>供应商代码</source>
        <translation>供應商代碼</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>业务员代码</source>
        <translation>業務員代碼</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>单据号码</source>
        <translation>單據號碼</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>选单号码</source>
        <translation>選單號碼</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>项目号</source>
        <translation>項目號</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>日期</source>
        <translation>日期</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>自定义</source>
        <translation>自定義</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>行号</source>
        <translation>行號</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>流水号</source>
        <translation>流水號</translation>
    </message>
    <message>
        <location filename="../ruletools/SpreadConsole.cpp" line="+42"/>
        <source>长代码</source>
        <translation>長代碼</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>短代码</source>
        <translation>短代碼</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="+74"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+198"/>
        <source>级次</source>
        <translation>級次</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>属性</source>
        <translation>屬性</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <location filename="../mainwindow/MainCommands.cpp" line="+32"/>
        <source>格式</source>
        <translation>格式</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>长度</source>
        <translation>長度</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>补位符</source>
        <translation>補位符</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>替换符</source>
        <translation>替換符</translation>
    </message>
    <message>
        <location line="+158"/>
        <source>%1的批号规则现为版本%2，而不是%3，什么也没有写</source>
        <translation>%1的批號規則現為版本%2，而不是%3，什麼也沒有寫</translation>
    </message>
    <message>
        <location filename="../rules/RuleHistory.h" line="+26"/>
        <source>数据库中没有批号规则历史表ICBatchNoRuleHistory，请先运行“vell-batchrule init”建立，此后的更改都会记录</source>
        <translation>數據庫中沒有批號規則歷史表ICBatchNoRuleHistory，請先運行「vell-batchrule init」建立，此後的更改都會記錄</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="+49"/>
        <source>只有有权查看所有物料组的用户才能查看全部规则的历史</source>
        <translation>只有有權查看所有物料組的用戶才能查看全部規則的歷史</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1，什么也没有恢复</source>
        <translation>%1，什麼也沒有恢復</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>只有有权查看所有物料组的用户才能运行SQL语句</source>
        <translation>只有有權查看所有物料組的用戶才能執行SQL語句</translation>
    </message>
    <message>
        <location filename="../editor/frmBatRuleSet.cpp" line="-22"/>
        <source>批号管理----编码设置</source>
        <translation>批號管理----編碼設置</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>确定(&amp;Y)</source>
        <translation>確定(&amp;Y)</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>取消(&amp;N)</source>
        <translation>取消(&amp;N)</translation>
    </message>
    <message>
        <location line="-181"/>
        <source>。您要怎样处理？</source>
        <translation>。您要怎樣處理？</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>重新载入(&amp;R)</source>
        <translation>重新載入(&amp;R)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>仍然覆盖(&amp;O)</source>
        <translation>仍然覆蓋(&amp;O)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>返回编辑(&amp;B)</source>
        <translation>返回編輯(&amp;B)</translation>
    </message>
    <message>
        <location line="+180"/>
        <source>编码设置</source>
        <translation>編碼設置</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>选项</source>
        <translation>選項</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="-254"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>蓝字入库单批次号根据规则直接产生</source>
        <translation>藍字入庫單批次號根據規則直接產生</translation>
    </message>
    <message>
        <location line="-2"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>物料类设置不改变个别物料设置</source>
        <translation>物料類設置不改變個別物料設置</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>批号重复给予提示</source>
        <translation>批號重複給予提示</translation>
    </message>
    <message>
        <location line="-1"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>编码信息不全时可做手工改变</source>
        <translation>編碼信息不全時可做手工改變</translation>
    </message>
    <message>
        <location line="-2"/>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>在单据上可手工改变批号</source>
        <translation>在單據上可手工改變批號</translation>
    </message>
    <message>
        <location filename="../editor/frmBatRuleSet.cpp" line="+1"/>
        <source>按明细物料</source>
        <translation>按明細物料</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>按物料组</source>
        <translation>按物料組</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>5、当属性值在单据上不存在，可在替换符栏里录入代替字符,如果不录入，将忽略。</source>
        <translation>5、當屬性值在單據上不存在，可在替換符欄裡錄入代替字符,如果不錄入，將忽略。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>4、当编码不足规定的长度时，可在补位符栏里录入补位字符。</source>
        <translation>4、當編碼不足規定的長度時，可在補位符欄裡錄入補位字符。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3、当属性值为自定义时，可在格式栏里录入自定义字符。</source>
        <translation>3、當屬性值為自定義時，可在格式欄裡錄入自定義字符。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2、当属性值为日期、行号时，可在格式栏里规定其显示方式。</source>
        <translation>2、當屬性值為日期、行號時，可在格式欄裡規定其顯示方式。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1、当属性值为已有的基础资料时，格式有长短代码供选择。</source>
        <translation>1、當屬性值為已有的基礎資料時，格式有長短代碼供選擇。</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>物料：</source>
        <translation>物料：</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>批号规则</source>
        <translation>批號規則</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>编码级次：</source>
        <translation>編碼級次：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>批号管理是企业的普遍要求，该编码设置可对批号规则灵活地进行用户设置，以便适应不同用户的不同要求。</source>
        <translation>批號管理是企業的普遍要求，該編碼設置可對批號規則靈活地進行用戶設置，以便適應不同用戶的不同要求。</translation>
    </message>
    <message>
        <location filename="../ruletools/BatRuleEditor.cpp" line="+145"/>
        <source>批次设置长度超过200，请重新设置</source>
        <translation>批次設置長度超過200，請重新設置</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>流水号只能设置一次，请重新设置</source>
        <translation>流水號只能設置一次，請重新設置</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>流水号的长度不能小于格式字符的总长度:%1，请重新设置</source>
        <translation>流水號的長度不能小於格式字符的總長度:%1，請重新設置</translation>
    </message>
    <message>
        <location filename="../mainwindow/frmBatRuleMain.cpp" line="+199"/>
        <location filename="../component/RuleAdminWindows.cpp" line="+75"/>
        <source>批号管理</source>
        <translation>批號管理</translation>
    </message>
    <message>
        <location filename="../mainwindow/MainCommands.cpp" line="+29"/>
        <source>新增</source>
        <translation>新增</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>管理</source>
        <translation>管理</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>修改</source>
        <translation>修改</translation>
    </message>
    <message>
        <location line="-25"/>
        <source>删除</source>
        <translation>刪除</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+1"/>
        <source>刷新</source>
        <translation>刷新</translation>
    </message>
    <message>
        <location line="-25"/>
        <location filename="../mainwindow/frmBatRuleMain.cpp" line="+4"/>
        <source>打印</source>
        <translation>打印</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>预览</source>
        <translation>預覽</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>打印预览</source>
        <translation>打印預覽</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>退出</source>
        <translation>退出</translation>
    </message>
    <message>
        <location line="+107"/>
        <source>主菜单</source>
        <translation>主菜單</translation>
    </message>
    <message>
        <location line="-135"/>
        <source>文件(&amp;F)</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>编辑(&amp;E)</source>
        <translation>編輯(&amp;E)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>查看(&amp;V)</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>格式(&amp;L)</source>
        <translation>格式(&amp;L)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>帮助(&amp;H)</source>
        <translation>幫助(&amp;H)</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>文件</source>
        <translation>文件</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>编辑</source>
        <translation>編輯</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>查看</source>
        <translation>查看</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>帮助</source>
        <translation>幫助</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>保存(&amp;S)</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>打印(&amp;P)</source>
        <translation>打印(&amp;P)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>打印预览(&amp;V)</source>
        <translation>打印預覽(&amp;V)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>打印设置(&amp;R)</source>
        <translation>打印設置(&amp;R)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>引出数据(&amp;O)...</source>
        <translation>引出數據(&amp;O)...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>退出(&amp;X)</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>管理(&amp;M)</source>
        <translation>管理(&amp;M)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>新增(&amp;N)</source>
        <translation>新增(&amp;N)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>删除(&amp;D)</source>
        <translation>刪除(&amp;D)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>汇总(&amp;H)...</source>
        <translation>彙總(&amp;H)...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>搜索(&amp;F)...</source>
        <translation>搜索(&amp;F)...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>排序(&amp;S)...</source>
        <translation>排序(&amp;S)...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>过滤(&amp;F)...</source>
        <translation>過濾(&amp;F)...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>保存后立即刷新</source>
        <translation>保存後立即刷新</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>更改历史(&amp;Y)...</source>
        <translation>更改歷史(&amp;Y)...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>历史</source>
        <translation>歷史</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>工具条(&amp;T)</source>
        <translation>工具條(&amp;T)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>工具条标签(&amp;L)</source>
        <translation>工具條標籤(&amp;L)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>状态条(&amp;S)</source>
        <translation>狀態條(&amp;S)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>帮助手册(&amp;C)</source>
        <translation>幫助手冊(&amp;C)</translation>
    </message>
    <message>
        <location filename="../mainwindow/frmBatRuleMain.cpp" line="-39"/>
        <source>大小写字母状态</source>
        <translation>大小寫字母狀態</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>数字键盘状态</source>
        <translation>數字鍵盤狀態</translation>
    </message>
    <message numerus="yes">
        <location line="+311"/>
        <source>已将 %n 页送往 %1</source>
        <translation>
            <numerusform>已將 %n 頁送往 %1</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../ruletools/HistoryModel.cpp" line="+48"/>
        <location filename="../mainwindow/frmBatRuleMain.cpp" line="-311"/>
        <source>时间</source>
        <translation>時間</translation>
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
        <translation>物料</translation>
    </message>
    <message>
        <location filename="../mainwindow/BatRuleLedger.cpp" line="+19"/>
        <source>内码|物料代码|物料名称|批号规则|</source>
        <translation>內碼|物料代碼|物料名稱|批號規則|</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>共有</source>
        <translation>共有</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>条记录</source>
        <translation>條記錄</translation>
    </message>
    <message>
        <location filename="../printing/BatRulePrint.cpp" line="+52"/>
        <source>物料组：%1</source>
        <translation>物料組：%1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>|打印日期：&amp;[日期]</source>
        <translation>|打印日期：&amp;[日期]</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>第 &amp;[页] 页</source>
        <translation>第 &amp;[页] 頁</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>|共 &amp;[总页] 页</source>
        <translation>|共 &amp;[总页] 頁</translation>
    </message>
    <message>
        <location filename="../component/HelpBrowser.cpp" line="+46"/>
        <source>找不到帮助主题%1：%2</source>
        <translation>找不到說明主題%1：%2</translation>
    </message>
    <message>
        <location filename="../ruletools/EditorTarget.cpp" line="+35"/>
        <location filename="../ruletools/RuleAdmin.cpp" line="+34"/>
        <source>找不到物料%1</source>
        <translation>找不到物料%1</translation>
    </message>
    <message>
        <location line="-34"/>
        <source>找不到物料组%1</source>
        <translation>找不到物料組%1</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="+193"/>
        <source>没有选项“%1”</source>
        <translation>沒有選項「%1」</translation>
    </message>
    <message>
        <location filename="../ruletools/EditorTarget.cpp" line="+21"/>
        <source>根物料组的规则适用于所有物料，只有有权查看所有物料组的用户才能查看或更改它</source>
        <translation>根物料組的規則適用於所有物料，只有有權查看所有物料組的用戶才能查看或更改它</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>物料%1不是批次管理的物料</source>
        <translation>物料%1不是批次管理的物料</translation>
    </message>
    <message>
        <location filename="../ruletools/SpreadConsole.cpp" line="+212"/>
        <source>第%1级没有“%2”这一选项</source>
        <translation>第%1級沒有「%2」這一選項</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>第%1级的“%2”不是允许的整数</source>
        <translation>第%1級的「%2」不是允許的整數</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>第%1级的“%2”多于五项：属性:格式:长度:补位符:替换符</source>
        <translation>第%1級的「%2」多於五項：屬性:格式:長度:補位符:替換符</translation>
    </message>
    <message>
        <location line="-14"/>
        <source>第%1级的“%2”太长</source>
        <translation>第%1級的「%2」太長</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>第%1级的属性“%2”不在属性列表中</source>
        <translation>第%1級的屬性「%2」不在屬性清單中</translation>
    </message>
    <message>
        <location line="-14"/>
        <source>第%1级的行号格式只能由0组成，不能是“%2”</source>
        <translation>第%1級的行號格式只能由0組成，不能是「%2」</translation>
    </message>
    <message>
        <location line="-15"/>
        <source>第%1级的这一格由属性决定，不能输入“%2”</source>
        <translation>第%1級的這一格由屬性決定，不能輸入「%2」</translation>
    </message>
    <message>
        <location filename="../ruletools/BatRuleEditor.cpp" line="+143"/>
        <source>系统在调用函数WriteBatchOptions()时发生错误</source>
        <translation>系統在調用函數WriteBatchOptions()時發生錯誤</translation>
    </message>
    <message>
        <location line="-158"/>
        <source>编码级次必须是1到%1级</source>
        <translation>編碼級次必須是1到%1級</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="+2"/>
        <source>选项%1只能是0或1，不能是“%2”</source>
        <translation>選項%1只能是0或1，不能是「%2」</translation>
    </message>
    <message>
        <location filename="../ruletools/SpreadConsole.cpp" line="-12"/>
        <source>第%1级的“%2”含有换行、制表符等控制字符，批号中不能使用，请重新设置</source>
        <translation>第%1級的“%2”含有換行、制表符等控制字元，批號中不能使用，請重新設置</translation>
    </message>
    <message>
        <location filename="../ruletools/BatRuleEditor.cpp" line="+41"/>
        <source>找不到物料组%1或无权查看它，不能按物料组设置规则</source>
        <translation>找不到物料組%1或無權查看它，不能按物料組設置規則</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>物料组%1没有代码，不能按物料组设置规则</source>
        <translation>物料組%1沒有代碼，不能按物料組設置規則</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>%1的批号规则在编辑器读取之后已被更改</source>
        <translation>%1的批號規則在編輯器讀取之後已被更改</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../ruletools/HistoryModel.cpp" line="+22"/>
        <location filename="../ruletools/RuleImport.cpp" line="+261"/>
        <source>系统在读取批号规则的历史时发生错误</source>
        <translation>系統在讀取批號規則的歷史時發生錯誤</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1（%2）</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <location line="+30"/>
        <location filename="../ruletools/RuleRestore.cpp" line="+87"/>
        <source>系统在调用函数BeginTrans()时发生错误</source>
        <translation>系統在調用函數BeginTrans()時發生錯誤</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>系统在调用函数ReadBatchOptions()时发生错误</source>
        <translation>系統在調用函數ReadBatchOptions()時發生錯誤</translation>
    </message>
    <message>
        <location line="+5"/>
        <location filename="../ruletools/RuleRestore.cpp" line="+13"/>
        <source>系统在调用函数CommitTrans()时发生错误</source>
        <translation>系統在調用函數CommitTrans()時發生錯誤</translation>
    </message>
    <message>
        <location filename="../rules/RuleFile.cpp" line="+145"/>
        <source>%1应是整数，不是“%2”</source>
        <translation>%1應是整數，不是「%2」</translation>
    </message>
    <message>
        <location filename="../component/BatchNumberIssuer.cpp" line="+81"/>
        <source>数据库中没有批号流水号表ICBatchNoSerial，请先运行“vell-batchrule batch init”建立</source>
        <translation>資料庫中沒有批號流水號表ICBatchNoSerial，請先執行「vell-batchrule batch init」建立</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>数据库中没有已发放批号表ICBatchNoIssued，请先运行“vell-batchrule batch init”建立</source>
        <translation>資料庫中沒有已發放批號表ICBatchNoIssued，請先執行「vell-batchrule batch init」建立</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>物料%1在批号“%2”下的流水号最大为%3，已不够再发放%4个批号；没有发放任何批号</source>
        <translation>物料%1在批號「%2」下的流水號最大為%3，已不夠再發放%4個批號；沒有發放任何批號</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>物料%1的批号“%2”长于%3个字符，不能发放</source>
        <translation>物料%1的批號「%2」長於%3個字元，不能發放</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>没有为%1发放过批号“%2”</source>
        <translation>沒有為%1發放過批號「%2」</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>批号“%1”已发放，但发放的时间、用户和规则版本没有记录在案</source>
        <translation>批號「%1」已發放，但發放的時間、用戶和規則版本沒有記錄在案</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>批号“%1”于%2发放给用户%3，由批号规则版本%4组成</source>
        <translation>批號「%1」於%2發放給用戶%3，由批號規則版本%4組成</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>设置该规则版本的更改没有记录在案</source>
        <translation>設定該規則版本的變更沒有記錄在案</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>该规则版本由用户%1于%2经由%3设置（历史记录%4，%5）</source>
        <translation>該規則版本由用戶%1於%2經由%3設定（歷史記錄%4，%5）</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="-66"/>
        <location filename="../component/BatchNumberIssuer.cpp" line="+57"/>
        <source>%1没有批号规则</source>
        <translation>%1沒有批號規則</translation>
    </message>
    <message>
        <location filename="../component/BatchNumberIssuer.cpp" line="+12"/>
        <source>一次可发放1到%1个批号，不能是%2个</source>
        <translation>一次可發放1到%1個批號，不能是%2個</translation>
    </message>
    <message>
        <location line="-90"/>
        <source>%1的批号规则中没有流水号，发放的批号都相同</source>
        <translation>%1的批號規則中沒有流水號，發放的批號都相同</translation>
    </message>
    <message>
        <location filename="../rules/RuleFile.cpp" line="-9"/>
        <source>Owner应是item或group，不是“%1”</source>
        <translation>Owner應是item或group，不是「%1」</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="-27"/>
        <source>可以导入%1条物料规则和%2条物料组规则；试运行，什么也没有写</source>
        <translation>可以導入%1條物料規則和%2條物料組規則；試運行，什麼也沒有寫</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>导入了%1条物料规则和%2条物料组规则</source>
        <translation>導入了%1條物料規則和%2條物料組規則</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="-85"/>
        <location filename="../component/BatchNumberIssuer.cpp" line="-120"/>
        <source>属性“%1”不在属性目录中</source>
        <translation>屬性「%1」不在屬性目錄中</translation>
    </message>
    <message>
        <location filename="../rules/RuleFile.cpp" line="-5"/>
        <source>应有%1项，而不是%2项</source>
        <translation>應有%1項，而不是%2項</translation>
    </message>
    <message>
        <location line="-50"/>
        <source>引号没有结束</source>
        <translation>引號沒有結束</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="+76"/>
        <source>打不开规则文件%1：%2</source>
        <translation>打不開規則文件%1：%2</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleImport.cpp" line="-251"/>
        <source>找不到批次管理的物料%1或无权查看它</source>
        <translation>找不到批次管理的物料%1或無權查看它</translation>
    </message>
    <message>
        <location line="+240"/>
        <source>%1的规则没有Version列，不能确认它没有变；请用“rule export --versions”导出规则文件</source>
        <translation>%1的規則沒有Version列，不能確認它沒有變；請用“rule export --versions”導出規則文件</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1的批号规则在导出之后已被更改（%2），什么也没有导入</source>
        <translation>%1的批號規則在導出之後已被更改（%2），什麼也沒有導入</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>历史中没有这次更改</source>
        <translation>歷史中沒有這次更改</translation>
    </message>
    <message>
        <location line="-256"/>
        <source>找不到物料组%1或无权查看它</source>
        <translation>找不到物料組%1或無權查看它</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleLint.cpp" line="+171"/>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="-38"/>
        <source>检查了%1条规则：%2个错误，%3个警告，%4个提示</source>
        <translation>檢查了%1條規則：%2個錯誤，%3個警告，%4個提示</translation>
    </message>
    <message>
        <location filename="../editor/frmBatRuleSet.cpp" line="+67"/>
        <source>正在统计将更改的物料……</source>
        <translation>正在統計將更改的物料……</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="-16"/>
        <location filename="../mainwindow/FoundItemsModel.cpp" line="+0"/>
        <location filename="../mainwindow/frmBatRuleMain.cpp" line="-1"/>
        <source>物料组</source>
        <translation>物料組</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="-36"/>
        <source>物料组“%1”的规则：%2</source>
        <translation>物料組「%1」的規則：%2</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="-30"/>
        <source>物料组%1：%2</source>
        <translation>物料組%1：%2</translation>
    </message>
    <message>
        <location filename="../ruletools/BatchPreview.cpp" line="+96"/>
        <source>示例批号：</source>
        <translation>示例批號：</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>示例批号（有误）：</source>
        <translation>示例批號（有誤）：</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleImport.cpp" line="+161"/>
        <source>第%1级的FUseShortNumber应是0（长代码）或1（短代码）</source>
        <translation>第%1級的FUseShortNumber應是0（長代碼）或1（短代碼）</translation>
    </message>
    <message>
        <location line="-12"/>
        <location filename="../ruletools/RuleLint.cpp" line="-50"/>
        <source>第%1级的属性%2不在属性目录中，单据无法提供它</source>
        <translation>第%1級的屬性%2不在屬性目錄中，單據無法提供它</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleLint.cpp" line="-41"/>
        <source>第%1级的流水号长%2位，每天最多%3个批次</source>
        <translation>第%1級的流水號長%2位，每天最多%3個批次</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>第%1级的流水号长%2位，每年最多%3个批次</source>
        <translation>第%1級的流水號長%2位，每年最多%3個批次</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>第%1级的流水号长%2位，每月最多%3个批次</source>
        <translation>第%1級的流水號長%2位，每月最多%3個批次</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>第%1级的流水号长%2位，规则中没有日期，总共最多%3个批次</source>
        <translation>第%1級的流水號長%2位，規則中沒有日期，總共最多%3個批次</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>第%1级的物料代码%2有%3个字符，长于该级的长度%4，批号中只留前%4个</source>
        <translation>第%1級的物料代碼%2有%3個字符，長於該級的長度%4，批號中只留前%4個</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleImport.cpp" line="-207"/>
        <source>第%1行：%2</source>
        <translation>第%1行：%2</translation>
    </message>
    <message>
        <location filename="../rules/RuleFile.cpp" line="+209"/>
        <source>第一行应是表头：%1</source>
        <translation>第一行應是表頭：%1</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleImport.cpp" line="+161"/>
        <source>级次应是%1，而不是%2：一条规则的级次从1起连续编号</source>
        <translation>級次應是%1，而不是%2：一條規則的級次從1起連續編號</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleLint.cpp" line="+55"/>
        <source>规则中既没有日期也没有流水号，同一张单据的各批次会得到相同的批号</source>
        <translation>規則中既沒有日期也沒有流水號，同一張單據的各批次會得到相同的批號</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="-33"/>
        <source>规则文件%1不是UTF-8文本</source>
        <translation>規則文件%1不是UTF-8文本</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>规则文件%1有%2处不能导入，什么也没有写：</source>
        <translation>規則文件%1有%2處不能導入，什麼也沒有寫：</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleLint.cpp" line="+21"/>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleImport.cpp" line="-135"/>
        <source>读不到物料和物料组，没有导入任何规则</source>
        <translation>讀不到物料和物料組，沒有導入任何規則</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleLint.cpp" line="-2"/>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <location filename="../ruletools/BatchPreview.cpp" line="+8"/>
        <source>%1：%2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="+71"/>
        <source>规则文件没有写完：写入失败</source>
        <translation>規則文件沒有寫完：寫入失敗</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+5"/>
        <source>规则文件%1没有写完：%2</source>
        <translation>規則文件%1沒有寫完：%2</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleImport.cpp" line="+43"/>
        <source>物料代码%1与多个物料相近：%2，不能确定是哪一个</source>
        <translation>物料代碼%1與多個物料相近：%2，不能確定是哪一個</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>物料组代码%1与多个物料组相近：%2，不能确定是哪一个</source>
        <translation>物料組代碼%1與多個物料組相近：%2，不能確定是哪一個</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdminFiles.cpp" line="-108"/>
        <source>读不完规则文件%1：%2</source>
        <translation>讀不完規則文件%1：%2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>规则文件%1的第%2行长于%3字节，不是规则文件，什么也没有写</source>
        <translation>規則文件%1的第%2行長於%3位元組，不是規則文件，什麼也沒有寫</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>规则文件%1多于%2行：您能看到的物料和物料组每个最多有%3级，什么也没有写</source>
        <translation>規則文件%1多於%2行：您能看到的物料和物料組每個最多有%3級，什麼也沒有寫</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleAdmin.cpp" line="+8"/>
        <source>……另有%1个物料</source>
        <translation>……另有%1個物料</translation>
    </message>
    <message>
        <location filename="../hostapp/Commands.cpp" line="+96"/>
        <source>已建立演示数据库</source>
        <translation>已建立示範資料庫</translation>
    </message>
    <message>
        <location filename="../ruletools/HistoryRecorder.cpp" line="+51"/>
        <location line="+11"/>
        <source>系统在记录批号规则的历史时发生错误</source>
        <translation>系統在記錄批號規則的歷史時發生錯誤</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleRestore.cpp" line="-80"/>
        <source>系统在恢复批号规则时发生错误</source>
        <translation>系統在恢復批號規則時發生錯誤</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>没有编号为%1的批号规则历史记录</source>
        <translation>沒有編號為%1的批號規則歷史記錄</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>历史记录%1是批号选项的更改，不能恢复，请用“options set”设置选项</source>
        <translation>歷史記錄%1是批號選項的更改，不能恢復，請用“options set”設置選項</translation>
    </message>
    <message>
        <location filename="../rules/RuleHistory.cpp" line="+64"/>
        <source>编辑器</source>
        <translation>編輯器</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>命令行</source>
        <translation>命令行</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>规则文件引入</source>
        <translation>規則文件引入</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>恢复</source>
        <translation>恢復</translation>
    </message>
    <message>
        <location line="-15"/>
        <location line="+16"/>
        <source>批号选项</source>
        <translation>批號選項</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>宿主程序</source>
        <translation>宿主程序</translation>
    </message>
    <message>
        <location line="-15"/>
        <source>物料%1</source>
        <translation>物料%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>物料组%1</source>
        <translation>物料組%1</translation>
    </message>
    <message>
        <location filename="../ruletools/HistoryModel.cpp" line="-22"/>
        <source>记录</source>
        <translation>記錄</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>用户</source>
        <translation>用戶</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>来源</source>
        <translation>來源</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>对象</source>
        <translation>對象</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>更改前</source>
        <translation>更改前</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>更改后</source>
        <translation>更改後</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>物料数</source>
        <translation>物料數</translation>
    </message>
    <message>
        <location filename="../ruletools/HistoryRecorder.cpp" line="+31"/>
        <source>记录%1，%2：%3于%4经%5更改</source>
        <translation>記錄%1，%2：%3於%4經%5更改</translation>
    </message>
    <message>
        <location filename="../ruletools/RuleRestore.cpp" line="+38"/>
        <source>%1的批号规则在历史记录%2之后已被更改，历史中没有这次更改</source>
        <translation>%1的批號規則在歷史記錄%2之後已被更改，歷史中沒有這次更改</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1的批号规则在历史记录%2之后已被更改（%3）</source>
        <translation>%1的批號規則在歷史記錄%2之後已被更改（%3）</translation>
    </message>
    <message>
        <location filename="../mainwindow/HistoryWindow.cpp" line="+28"/>
        <location filename="../mainwindow/MainCommands.cpp" line="-8"/>
        <source>批号规则的更改历史</source>
        <translation>批號規則的更改歷史</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>全部规则的更改(&amp;A)</source>
        <translation>全部規則的更改(&amp;A)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>恢复更改前的规则(&amp;R)</source>
        <translation>恢復更改前的規則(&amp;R)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关闭(&amp;C)</source>
        <translation>關閉(&amp;C)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>全部批号规则和批号选项的更改，最新的在前</source>
        <translation>全部批號規則和批號選項的更改，最新的在前</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>%1的批号规则的更改，最新的在前</source>
        <translation>%1的批號規則的更改，最新的在前</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>要把规则恢复成记录%1更改之前的样子吗？</source>
        <translation>要把規則恢復成記錄%1更改之前的樣子嗎？</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1。仍然恢复吗？</source>
        <translation>%1。仍然恢復嗎？</translation>
    </message>
    <message>
        <location filename="../mainwindow/FindBox.cpp" line="+60"/>
        <source>搜索</source>
        <translation>搜索</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>物料或物料组的代码、名称(&amp;N)：</source>
        <translation>物料或物料組的代碼、名稱(&amp;N)：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>搜索结果</source>
        <translation>搜索結果</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>输入代码或名称的任意部分</source>
        <translation>輸入代碼或名稱的任意部分</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>正在查找…</source>
        <translation>正在查找…</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>没有找到</source>
        <translation>沒有找到</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>物料组：%1&#x3000;物料：%2&#x3000;（Enter 转到，F3 下一个）</source>
        <translation>物料組：%1&#x3000;物料：%2&#x3000;（Enter 轉到，F3 下一個）</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>它所在的物料组不在物料组树中</source>
        <translation>它所在的物料組不在物料組樹中</translation>
    </message>
    <message>
        <location filename="../mainwindow/FoundItemsModel.cpp" line="+15"/>
        <source>类别</source>
        <translation>類別</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>代码</source>
        <translation>代碼</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>名称</source>
        <translation>名稱</translation>
    </message>
    <message numerus="yes">
        <location filename="../ruletools/SpreadDryRun.cpp" line="+15"/>
        <source>将更改 %n 个物料的规则（保留 %1 个）</source>
        <translation>
            <numerusform>將更改 %n 個物料的規則（保留 %1 個）</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>将更改 %n 个物料的规则</source>
        <translation>
            <numerusform>將更改 %n 個物料的規則</numerusform>
        </translation>
    </message>
</context>
</TS>
