<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="ja">
<context>
    <name>BatchDriver</name>
    <message numerus="yes">
        <source>%n件を変換しました</source>
        <translation>
            <numerusform>已轉換 %n 個檔案</numerusform>
        </translation>
    </message>
    <message>
        <source>処理済みのリストを削除しますか？</source>
        <translation>要從清單中移除已轉換的檔案嗎？</translation>
    </message>
    <message numerus="yes">
        <source>同じ名前のWAVファイルになる項目が%n件あります。変換元のフォルダ構成を出力先に作って別々に保存しますか？</source>
        <translation>
            <numerusform>有 %n 個檔案會產生同名的 WAV 檔案。要在目的地重建來源資料夾結構，分開儲存嗎？</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>出力先に同じ名前のファイルが%n件あります。上書きしますか？</source>
        <translation>
            <numerusform>目的地已有 %n 個同名檔案。要覆寫嗎？</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は同じ名前のファイルがあるため変換しませんでした</source>
        <translation>
            <numerusform>%n 個檔案因已有同名檔案而略過</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件のファイルを変換できませんでした</source>
        <translation>
            <numerusform>%n 個檔案無法轉換</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n件は中断したため変換していません</source>
        <translation>
            <numerusform>%n 個檔案因中止而未轉換</numerusform>
        </translation>
    </message>
    <message>
        <source>予期しないエラーのため変換できませんでした</source>
        <translation>發生未預期的錯誤</translation>
    </message>
    <message>
        <source>予期しないエラーのため変換を中止しました</source>
        <translation>由於未預期的錯誤，轉換已中止。</translation>
    </message>
    <message>
        <source>中断しました</source>
        <translation>已中止轉換。</translation>
    </message>
    <message>
        <source>変換中に出力先に同じ名前のファイルが作られました</source>
        <translation>轉換期間，其他程式在目的地建立了同名檔案</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しませんでした</source>
        <translation>已有同名檔案</translation>
    </message>
    <message>
        <source>出力先の空き容量がなくなりました</source>
        <translation>目的地的可用空間已用完</translation>
    </message>
    <message>
        <source>出力ファイルが途中で切れています（空き容量を確認してください）</source>
        <translation>輸出檔案不完整（請檢查可用空間）</translation>
    </message>
    <message>
        <source>音声データが見つかりませんでした</source>
        <translation>找不到音訊資料</translation>
    </message>
    <message>
        <source>出力ファイルが正しいWAVファイルではありません（デコーダを確認してください）</source>
        <translation>輸出檔案不是有效的 WAV 檔案（請檢查解碼器）</translation>
    </message>
    <message>
        <source>変換元ファイルが見つかりません</source>
        <translation>找不到來源檔案</translation>
    </message>
    <message>
        <source>MPEGオーディオとして読めません</source>
        <translation>無法作為 MPEG 音訊讀取</translation>
    </message>
    <message>
        <source>出力ファイルを作れません</source>
        <translation>無法建立輸出檔案</translation>
    </message>
    <message>
        <source>デコーダを起動できませんでした</source>
        <translation>無法啟動解碼器</translation>
    </message>
    <message>
        <source>デコーダが異常終了しました（シグナル%1）</source>
        <translation>解碼器異常終止（訊號 %1）</translation>
    </message>
    <message>
        <source>デコーダが終了コード%1で終了しました</source>
        <translation>解碼器以結束代碼 %1 結束</translation>
    </message>
    <message>
        <source>出力ファイルが作成されませんでした</source>
        <translation>未產生輸出檔案</translation>
    </message>
    <message>
        <source>同じ名前の出力ファイルがこの変換で作成済みです</source>
        <translation>本次轉換中已有檔案產生了同名的 WAV 檔案</translation>
    </message>
    <message>
        <source>出力先が変換元と同じファイルです</source>
        <translation>輸出檔案就是來源檔案本身</translation>
    </message>
    <message>
        <source>出力先に通常のファイルでないものがあります（削除するか別の出力先を選んでください）</source>
        <translation>輸出位置有非一般檔案的項目（請刪除它或選擇其他目的地）</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1分%2秒</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <source>元のファイルが途中で切れています（%1のうち%2）</source>
        <translation>來源檔案不完整（%1 中只有 %2）</translation>
    </message>
    <message>
        <source>出力先フォルダの外を指すリンクがあるため書き込みません</source>
        <translation>未寫入，因為有連結指向目的資料夾之外</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>brindlecot: %1: ファイルもフォルダもありません
</source>
        <translation>brindlecot: %1: 沒有這個檔案或資料夾
</translation>
    </message>
    <message>
        <source>brindlecot: オプションの値が正しくありません: %1
</source>
        <translation>brindlecot: 選項值無效: %1
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するファイルかフォルダを指定してください
</source>
        <translation>brindlecot: 請指定要轉換的檔案或資料夾
</translation>
    </message>
    <message>
        <source>brindlecot: 不明なオプションです: %1
</source>
        <translation>brindlecot: 未知的選項: %1
</translation>
    </message>
    <message>
        <source>詳しくは「brindlecot --help」を実行してください
</source>
        <translation>請執行「brindlecot --help」以取得更多資訊。
</translation>
    </message>
    <message>
        <source>使い方: brindlecot [オプション] [ファイル|フォルダ]...
  または brindlecot --convert [変換オプション] ファイル|フォルダ...
MPEG Audioファイル(.mpa .mp2 .mp3)をlameでWAVに変換します。
指定したファイルとフォルダは、ドロップした時と同じように処理リストに追加します。
--convertでは、ウィンドウを開かずにそれらを変換して終了します。

  -h, --help     この説明を表示して終了する
  -V, --version  バージョンを表示して終了する
  --             これ以降の引数をすべてファイル名として扱う

変換オプション:
  -t, --to フォルダ    WAVファイルの出力先(指定しなければ変換元と同じフォルダ)
      --replace        出力先にある同じ名前のファイルを上書きする
      --flat           同名のWAVファイルを変換元のフォルダ構成で分けず、最初のものだけ保存する
      --no-subfolders  フォルダのサブフォルダを検索しない
      --no-tags        変換元のタグをWAVファイルに書き込まない
  -j, --jobs N         同時に変換するファイルの数(既定は1、0はCPUのコア数)
  -q, --quiet          WAVファイルにならなかったファイルだけを表示する
</source>
        <translation>用法：brindlecot [選項] [檔案|資料夾]...
  或：brindlecot --convert [轉換選項] 檔案|資料夾...
使用 lame 將 MPEG Audio 檔案（.mpa .mp2 .mp3）轉換為 WAV。
指定的檔案和資料夾會像拖放時一樣加入轉換清單。
使用 --convert 時不開啟視窗，轉換後直接結束。

  -h, --help     顯示此說明並結束
  -V, --version  顯示版本並結束
  --             將之後的所有引數都視為檔案名稱

轉換選項：
  -t, --to 資料夾      WAV 檔案的輸出位置（未指定則放在來源檔案旁）
      --replace        覆寫輸出位置中的同名檔案
      --flat           不依來源資料夾結構分開同名的 WAV 檔案，只儲存第一個
      --no-subfolders  不搜尋資料夾的子資料夾
      --no-tags        不將來源檔案的標籤寫入 WAV 檔案
  -j, --jobs N         同時轉換的檔案數（預設 1，0 表示 CPU 核心數）
  -q, --quiet          只顯示未產生 WAV 檔案的檔案
</translation>
    </message>
</context>
<context>
    <name>ConsoleBatch</name>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>正在將 MPEG 音訊轉換為 WAV</translation>
    </message>
    <message>
        <source>変換しました</source>
        <translation>已轉換</translation>
    </message>
    <message>
        <source>[%1/%2] %3：%4
</source>
        <translation>[%1/%2] %3：%4
</translation>
    </message>
    <message>
        <source>[%1/%2] %3 %4% (全体 %5%、残り %6)</source>
        <translation>[%1/%2] %3 %4%（整體 %5%，剩餘 %6）</translation>
    </message>
    <message>
        <source>brindlecot: %1: フォルダがありません
</source>
        <translation>brindlecot: %1: 沒有這個資料夾
</translation>
    </message>
    <message>
        <source>brindlecot: 変換するMPEGオーディオファイルがありません
</source>
        <translation>brindlecot: 沒有要轉換的 MPEG 音訊檔案
</translation>
    </message>
</context>
<context>
    <name>FolderDialog</name>
    <message>
        <source>フォルダ</source>
        <translation>資料夾</translation>
    </message>
    <message>
        <source>フォルダを選択して下さい。</source>
        <translation>請選擇資料夾。</translation>
    </message>
    <message>
        <source>フォルダ名</source>
        <translation>資料夾名稱</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>%1 ディレクトリは存在しません</source>
        <translation>資料夾 %1 不存在。</translation>
    </message>
</context>
<context>
    <name>InstanceLink</name>
    <message>
        <source>brindlecot: 途中で切れた引き継ぎを捨てました
</source>
        <translation>brindlecot: 已捨棄中途中斷的移交
</translation>
    </message>
    <message>
        <source>brindlecot: 時間内に届かなかった引き継ぎを捨てました
</source>
        <translation>brindlecot: 已捨棄未及時送達的移交
</translation>
    </message>
    <message>
        <source>brindlecot: %1バイトを超える引き継ぎを捨てました
</source>
        <translation>brindlecot: 已捨棄超過 %1 位元組的移交
</translation>
    </message>
</context>
<context>
    <name>MpegHeader</name>
    <message>
        <source>MPEGオーディオのフレームヘッダが見つかりません</source>
        <translation>找不到 MPEG 音訊框架標頭</translation>
    </message>
    <message>
        <source>ビットレート不明 </source>
        <translation>位元率未知 </translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>無法開啟檔案</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>不是一般檔案</translation>
    </message>
    <message>
        <source>ファイルを読めません</source>
        <translation>無法讀取檔案</translation>
    </message>
    <message>
        <source>VBRかもしれません</source>
        <translation>這可能是 VBR 檔案。</translation>
    </message>
</context>
<context>
    <name>ProcessingList</name>
    <message>
        <source>処理待ち</source>
        <translation>等待</translation>
    </message>
    <message>
        <source>処理中</source>
        <translation>轉換中</translation>
    </message>
    <message>
        <source>処理済み</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>保留</source>
        <translation>略過</translation>
    </message>
    <message>
        <source>処理リスト(mpa,mp2,mp3)</source>
        <translation>轉換清單（.mpa、.mp2、.mp3）</translation>
    </message>
</context>
<context>
    <name>QtBoxes</name>
    <message>
        <source>確認</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>是(&amp;Y)</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>否(&amp;N)</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>通常のファイルではありません</source>
        <translation>不是一般檔案</translation>
    </message>
    <message>
        <source>設定ファイルを書けません</source>
        <translation>無法寫入設定檔</translation>
    </message>
    <message>
        <source>設定ファイルを読めません</source>
        <translation>無法讀取設定檔</translation>
    </message>
    <message>
        <source>設定フォルダを作れません</source>
        <translation>無法建立設定資料夾</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>brindlecotがあるフォルダかPATHにlameを置いてください</source>
        <translation>請將 lame 放在 brindlecot 所在的資料夾或 PATH 中。</translation>
    </message>
    <message>
        <source>%1がありません。<byte value="xd"/>
</source>
        <translation>找不到 %1。<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>MPEGオーディオをWAVに変換しています</source>
        <translation>正在將 MPEG 音訊轉換為 WAV</translation>
    </message>
    <message>
        <source>変換が終わりました</source>
        <translation>轉換完成</translation>
    </message>
    <message>
        <source>再生できるプログラムが見つかりません</source>
        <translation>找不到可以播放此檔案的程式。</translation>
    </message>
    <message>
        <source>複数のファイルを同時に変換する</source>
        <translation>同時轉換多個檔案</translation>
    </message>
    <message>
        <source>常に前面に表示する</source>
        <translation>最上層顯示</translation>
    </message>
    <message>
        <source>このデスクトップ（Wayland）では、ここからは設定できません。ウィンドウメニューの「常に最前面」（Keep Above）を使ってください</source>
        <translation>此桌面（Wayland）不允許程式自行將視窗置頂。請改用視窗選單中的「最上層顯示」（Keep Above）</translation>
    </message>
    <message>
        <source>変換元フォルダ</source>
        <translation>來源資料夾</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>選擇</translation>
    </message>
    <message>
        <source>ダブルクリックで処理リスト追加</source>
        <translation>按兩下加入轉換清單</translation>
    </message>
    <message>
        <source>エクスプローラからD&amp;Dでも追加できます</source>
        <translation>也可以從檔案管理員把檔案拖放到這裡</translation>
    </message>
    <message>
        <source>変換</source>
        <translation>轉換</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>リスト内をクリアします</source>
        <translation>清空清單</translation>
    </message>
    <message>
        <source>処理リストにフォルダをドロップした時にサブフォルダも検索する</source>
        <translation>將資料夾拖放到轉換清單時也搜尋子資料夾</translation>
    </message>
    <message>
        <source>変換先フォルダ</source>
        <translation>目的資料夾</translation>
    </message>
    <message>
        <source>処理/選択中のMPEG Audio情報</source>
        <translation>目前或所選檔案的 MPEG Audio 資訊</translation>
    </message>
    <message>
        <source>出力状況</source>
        <translation>輸出狀態</translation>
    </message>
    <message>
        <source>全体の進捗</source>
        <translation>整體進度</translation>
    </message>
    <message>
        <source>個別の進捗</source>
        <translation>目前檔案</translation>
    </message>
    <message>
        <source>MPEG Audio → WAV変換</source>
        <translation>MPEG Audio → WAV 轉換</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>出力先フォルダを開く</source>
        <translation>開啟輸出資料夾</translation>
    </message>
    <message>
        <source>これから変換する項目</source>
        <translation>尚待轉換的檔案</translation>
    </message>
    <message>
        <source>変換している項目</source>
        <translation>正在轉換的檔案</translation>
    </message>
    <message>
        <source>変換できた項目</source>
        <translation>已轉換的檔案</translation>
    </message>
    <message>
        <source>変換できなかった項目。理由はその項目のヒントにあります</source>
        <translation>無法轉換的檔案。原因請見該項目的提示</translation>
    </message>
    <message>
        <source>同じ名前のファイルがあるため変換しなかった項目。次の変換でまた試します</source>
        <translation>因已有同名檔案而略過的檔案。下次轉換時會再試</translation>
    </message>
    <message>
        <source>変換元のファイル</source>
        <translation>來源檔案</translation>
    </message>
    <message>
        <source>処理リスト</source>
        <translation>轉換清單</translation>
    </message>
    <message>
        <source>処理待ちのアイコン</source>
        <translation>「等待」圖示</translation>
    </message>
    <message>
        <source>処理中のアイコン</source>
        <translation>「轉換中」圖示</translation>
    </message>
    <message>
        <source>処理済みのアイコン</source>
        <translation>「完成」圖示</translation>
    </message>
    <message>
        <source>このウィンドウを他のウィンドウより前面に表示します</source>
        <translation>讓此視窗保持在其他視窗上層</translation>
    </message>
    <message>
        <source>CPUのコアの数までのファイルを同時に変換します。変換中は変えられません</source>
        <translation>同時轉換的檔案數最多與 CPU 核心數相同。轉換期間無法變更</translation>
    </message>
    <message>
        <source>変換するファイルを探すフォルダ</source>
        <translation>尋找待轉換檔案的資料夾</translation>
    </message>
    <message>
        <source>選択した変換元フォルダ</source>
        <translation>所選的來源資料夾</translation>
    </message>
    <message>
        <source>変換元フォルダを選ぶダイアログを開きます</source>
        <translation>開啟選擇來源資料夾的對話框</translation>
    </message>
    <message>
        <source>変換元フォルダのMPEG Audioファイル。ダブルクリックかEnterで処理リストに追加します</source>
        <translation>來源資料夾中的 MPEG Audio 檔案。按兩下或按 Enter 加入轉換清單</translation>
    </message>
    <message>
        <source>変換するファイルと状態。Deleteキーで選択した項目を削除します</source>
        <translation>要轉換的檔案及其狀態。按 Delete 鍵移除所選項目</translation>
    </message>
    <message>
        <source>処理リストのファイルをすべてWAVに変換します</source>
        <translation>將轉換清單中的所有檔案轉換為 WAV</translation>
    </message>
    <message>
        <source>変換中のファイルが終わったところで変換を中断します</source>
        <translation>目前檔案完成後中止轉換</translation>
    </message>
    <message>
        <source>WAVファイルを書き出すフォルダ</source>
        <translation>寫入 WAV 檔案的資料夾</translation>
    </message>
    <message>
        <source>空のときは変換元と同じフォルダに書き出します</source>
        <translation>空白時寫入來源檔案所在的資料夾</translation>
    </message>
    <message>
        <source>変換先フォルダを選ぶダイアログを開きます</source>
        <translation>開啟選擇目的資料夾的對話框</translation>
    </message>
    <message>
        <source>処理中または選択中のファイルの情報</source>
        <translation>轉換中或所選檔案的資訊</translation>
    </message>
    <message>
        <source>時間、バージョン、レイヤー、周波数、ビットレート、モード</source>
        <translation>時間長度、版本、層、取樣率、位元率、模式</translation>
    </message>
    <message>
        <source>変換の進み具合</source>
        <translation>轉換進度</translation>
    </message>
    <message>
        <source>処理リスト全体の変換の進み具合</source>
        <translation>整個轉換清單的進度</translation>
    </message>
    <message>
        <source>変換中のファイルの進み具合</source>
        <translation>目前檔案的轉換進度</translation>
    </message>
    <message>
        <source>変換中のファイルの出力先</source>
        <translation>轉換中檔案的輸出位置</translation>
    </message>
    <message>
        <source>出力ファイルの現在の大きさ</source>
        <translation>輸出檔案目前的大小</translation>
    </message>
    <message>
        <source>クリックでホームページを開きます</source>
        <translation>按一下開啟首頁</translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>%1：%2</source>
        <translation>%1：%2</translation>
    </message>
</context>
<context>
    <name>WavTags</name>
    <message>
        <source>タグを書き込めませんでした（%1）</source>
        <translation>無法寫入標籤（%1）</translation>
    </message>
</context>
</TS>
