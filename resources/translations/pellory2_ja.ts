<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>AboutPanel</name>
    <message>
        <source>About %1</source>
        <translation>%1 について</translation>
    </message>
    <message>
        <source>Version %1 (%2)</source>
        <translation>バージョン %1 (%2)</translation>
    </message>
    <message>
        <source>A contact editor for vCard and CSV files.</source>
        <translation>vCard と CSV ファイルの連絡先エディタ</translation>
    </message>
    <message>
        <source>Help Page</source>
        <translation>ヘルプページ</translation>
    </message>
</context>
<context>
    <name>AddItemViewController</name>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>String Value</source>
        <translation>文字列</translation>
    </message>
    <message>
        <source>Labeled Value</source>
        <translation>ラベル付きの値</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Replace Image</source>
        <translation>イメージを置き換える</translation>
    </message>
    <message>
        <source>Add Image</source>
        <translation>イメージを追加</translation>
    </message>
    <message>
        <source>Delete Image</source>
        <translation>イメージを削除</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新規</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>変更</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.gif *.bmp *.tiff)</source>
        <translation>イメージ (*.png *.jpg *.jpeg *.gif *.bmp *.tiff)</translation>
    </message>
</context>
<context>
    <name>AddressBook</name>
    <message>
        <source>%1: not a readable card</source>
        <translation>%1: 読み込めるカードではありません</translation>
    </message>
</context>
<context>
    <name>AddressEditor</name>
    <message>
        <source>Lookup</source>
        <translation>住所検索</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>デフォルト</translation>
    </message>
    <message>
        <source>Label:</source>
        <translation>ラベル:</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>フォーマット:</translation>
    </message>
    <message>
        <source>Do not find</source>
        <translation>見つかりません</translation>
    </message>
    <message numerus="yes">
        <source>%n more: type more digits</source>
        <translation>
            <numerusform>ほかに %n 件: 続きの数字を入力してください</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Cannot read AddressFormat.json.</source>
        <translation>AddressFormat.json を読み込めません。</translation>
    </message>
    <message>
        <source>Please make sure the format is valid.</source>
        <translation>フォーマットが正しいか確認してください。</translation>
    </message>
    <message>
        <source>Brisklet Help via Web</source>
        <translation>Brisklet ヘルプ (Web)</translation>
    </message>
    <message>
        <source>%1 Help</source>
        <translation>%1 ヘルプ</translation>
    </message>
    <message>
        <source>Feedback via Email…</source>
        <translation>メールでフィードバック…</translation>
    </message>
    <message>
        <source>Privacy Policy…</source>
        <translation>プライバシーポリシー…</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>%1 について</translation>
    </message>
    <message>
        <source>Feedback of %1</source>
        <translation>%1 へのフィードバック</translation>
    </message>
</context>
<context>
    <name>AtomicFileWriter</name>
    <message>
        <source>The disk is full</source>
        <translation>ディスクがいっぱいです</translation>
    </message>
    <message>
        <source>The disk quota is used up</source>
        <translation>ディスクの割り当て容量を使い切りました</translation>
    </message>
    <message>
        <source>The file could not be written completely</source>
        <translation>ファイルを最後まで書き込めませんでした</translation>
    </message>
</context>
<context>
    <name>ContactInfoController</name>
    <message>
        <source>Groups</source>
        <translation>グループ</translation>
    </message>
</context>
<context>
    <name>ContactInfoEditor</name>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>First name:</source>
        <translation>名:</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
</context>
<context>
    <name>ContactLabels</name>
    <message>
        <source>home</source>
        <translation>自宅</translation>
    </message>
    <message>
        <source>work</source>
        <translation>勤務先</translation>
    </message>
    <message>
        <source>other</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>iPhone</source>
        <translation>iPhone</translation>
    </message>
    <message>
        <source>main</source>
        <translation>代表</translation>
    </message>
    <message>
        <source>mobile</source>
        <translation>携帯</translation>
    </message>
    <message>
        <source>home fax</source>
        <translation>自宅FAX</translation>
    </message>
    <message>
        <source>work fax</source>
        <translation>勤務先FAX</translation>
    </message>
    <message>
        <source>other fax</source>
        <translation>その他FAX</translation>
    </message>
    <message>
        <source>pager</source>
        <translation>ポケベル</translation>
    </message>
    <message>
        <source>home page</source>
        <translation>ホームページ</translation>
    </message>
    <message>
        <source>mother</source>
        <translation>母</translation>
    </message>
    <message>
        <source>father</source>
        <translation>父</translation>
    </message>
    <message>
        <source>parent</source>
        <translation>親</translation>
    </message>
    <message>
        <source>sister</source>
        <translation>姉妹</translation>
    </message>
    <message>
        <source>brother</source>
        <translation>兄弟</translation>
    </message>
    <message>
        <source>child</source>
        <translation>子供</translation>
    </message>
    <message>
        <source>friend</source>
        <translation>友人</translation>
    </message>
    <message>
        <source>spouse</source>
        <translation>配偶者</translation>
    </message>
    <message>
        <source>partner</source>
        <translation>パートナー</translation>
    </message>
    <message>
        <source>assistant</source>
        <translation>アシスタント</translation>
    </message>
    <message>
        <source>manager</source>
        <translation>上司</translation>
    </message>
    <message>
        <source>son</source>
        <translation>息子</translation>
    </message>
    <message>
        <source>daughter</source>
        <translation>娘</translation>
    </message>
    <message>
        <source>anniversary</source>
        <translation>記念日</translation>
    </message>
</context>
<context>
    <name>ContactsViewController</name>
    <message>
        <source>This operation can be undone.</source>
        <translation>この操作は取り消せます。</translation>
    </message>
    <message>
        <source>Do you want to set the same value in the selected rows</source>
        <translation>選択した行に同じ値を設定しますか？</translation>
    </message>
    <message>
        <source>Open Name Panel</source>
        <translation>名前パネルを開く</translation>
    </message>
    <message>
        <source>Open Address Panel</source>
        <translation>住所パネルを開く</translation>
    </message>
    <message>
        <source>Open IMS Panel</source>
        <translation>インスタントメッセージパネルを開く</translation>
    </message>
    <message>
        <source>Open SNS Panel</source>
        <translation>SNS パネルを開く</translation>
    </message>
    <message>
        <source>Do you want to set the same label in the selected rows</source>
        <translation>選択した行に同じラベルを設定しますか？</translation>
    </message>
    <message>
        <source>Do you want to delete the item(label and text) in the selected cells in column:%1 ?</source>
        <translation>列「%1」の選択したセルの項目（ラベルとテキスト）を削除しますか？</translation>
    </message>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
    <message numerus="yes">
        <source>%1: total %n contacts</source>
        <translation>
            <numerusform>%1: 合計 %n 件の連絡先</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CustomItemPanel</name>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Custom Items</source>
        <translation>カスタム項目</translation>
    </message>
    <message>
        <source>What are custom items?</source>
        <translation>カスタム項目とは？</translation>
    </message>
    <message>
        <source>Delete the selected custom items?</source>
        <translation>選択したカスタム項目を削除しますか？</translation>
    </message>
    <message>
        <source>Their definitions are removed when you click Done. Values that contacts already hold are kept.</source>
        <translation>「完了」をクリックすると定義が削除されます。連絡先にすでにある値は残ります。</translation>
    </message>
    <message>
        <source>Custom items are fields of your own, such as a hobby or a membership number. A string item holds one text; a labeled item holds several values, each with one of its labels.</source>
        <translation>カスタム項目は、趣味や会員番号など自分で定義する項目です。文字列の項目はテキストを 1 つ、ラベル付きの項目はそれぞれにラベルの付いた複数の値を持ちます。</translation>
    </message>
    <message>
        <source>In a vCard file they are saved with each contact that has a value.</source>
        <translation>vCard ファイルでは、値を持つ連絡先ごとに保存されます。</translation>
    </message>
    <message>
        <source>Address books are read only: their custom items can be shown but not saved.</source>
        <translation>アドレスブックは読み出し専用です。カスタム項目は表示できますが保存できません。</translation>
    </message>
</context>
<context>
    <name>CustomItemTableModel</name>
    <message>
        <source>Deleted</source>
        <translation>削除済み</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>ラベル</translation>
    </message>
</context>
<context>
    <name>CustomLabelPanelController</name>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Custom Labels</source>
        <translation>カスタムラベル</translation>
    </message>
</context>
<context>
    <name>DateEditor</name>
    <message>
        <source>With year</source>
        <translation>年を含める</translation>
    </message>
    <message>
        <source>Label:</source>
        <translation>ラベル:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>日付:</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>DetailEditor</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>Please make sure the file is a valid CSV file, or text encoding.</source>
        <translation>ファイルが正しい CSV ファイルか、テキストエンコーディングを確認してください。</translation>
    </message>
    <message>
        <source>Please make sure the file is vCard 2.1/3.0 file, or text encoding.</source>
        <translation>ファイルが vCard 2.1/3.0 ファイルか、テキストエンコーディングを確認してください。</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>名称未設定</translation>
    </message>
    <message>
        <source>Reading the file: %1</source>
        <translation>ファイルを読み込み中: %1</translation>
    </message>
    <message>
        <source>1 card of “%1” could not be read: it is cut off or damaged, or nested in another card. Saving the document does not write it back.</source>
        <translation>“%1” のカード 1 件を読み込めませんでした。途中で切れているか、壊れているか、別のカードの中に入っています。書類を保存してもこのカードは書き戻されません。</translation>
    </message>
    <message>
        <source>%1 cards of “%2” could not be read: they are cut off or damaged, or nested in another card. Saving the document does not write them back.</source>
        <translation>“%2” のカード %1 件を読み込めませんでした。途中で切れているか、壊れているか、別のカードの中に入っています。書類を保存してもこれらのカードは書き戻されません。</translation>
    </message>
    <message>
        <source>Some cards could not be read.</source>
        <translation>一部のカードを読み込めませんでした。</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>名前を付けて保存</translation>
    </message>
    <message>
        <source>vCard (*.vcf *.vcard)</source>
        <translation>vCard (*.vcf *.vcard)</translation>
    </message>
    <message>
        <source>Can&apos;t save the file</source>
        <translation>ファイルを保存できません</translation>
    </message>
    <message>
        <source>The file “%1” has been changed by another application.</source>
        <translation>ファイル “%1” はほかのアプリケーションによって変更されています。</translation>
    </message>
    <message>
        <source>Saving now replaces the changes made there.</source>
        <translation>今保存すると、そこで行われた変更は置き換えられます。</translation>
    </message>
    <message>
        <source>Save Anyway</source>
        <translation>このまま保存</translation>
    </message>
    <message>
        <source>Revert to the file on disk</source>
        <translation>ディスク上のファイルに戻す</translation>
    </message>
    <message>
        <source>Do you want to reload it?</source>
        <translation>再読み込みしますか？</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>再読み込み</translation>
    </message>
    <message>
        <source>The document “%1” could not be read.</source>
        <translation>書類 “%1” を読み込めませんでした。</translation>
    </message>
    <message>
        <source>Do you want to save the changes made to the document “%1”?</source>
        <translation>書類 “%1” に加えた変更を保存しますか？</translation>
    </message>
    <message>
        <source>Your changes will be lost if you don&apos;t save them.</source>
        <translation>保存しないと、変更内容は失われます。</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>保存しない</translation>
    </message>
    <message>
        <source>Address Book</source>
        <translation>アドレスブック</translation>
    </message>
    <message>
        <source>No address books were found in “%1”.</source>
        <translation>「%1」にアドレスブックが見つかりませんでした。</translation>
    </message>
    <message>
        <source>Choose the folder of your address books in the preferences.</source>
        <translation>環境設定でアドレスブックのフォルダを選んでください。</translation>
    </message>
</context>
<context>
    <name>DocumentController</name>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Contacts (*.vcf *.vcard *.csv *.txt)</source>
        <translation>連絡先 (*.vcf *.vcard *.csv *.txt)</translation>
    </message>
    <message>
        <source>vCard (*.vcf *.vcard)</source>
        <translation>vCard (*.vcf *.vcard)</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>The document “%1” could not be opened.</source>
        <translation>書類 “%1” を開けませんでした。</translation>
    </message>
    <message>
        <source>The address book could not be opened.</source>
        <translation>アドレスブックを開けませんでした。</translation>
    </message>
</context>
<context>
    <name>EncodingAccessory</name>
    <message>
        <source>Encoding:</source>
        <translation>エンコーディング:</translation>
    </message>
    <message>
        <source>Line Breaks:</source>
        <translation>改行コード:</translation>
    </message>
    <message>
        <source>Unix (LF)</source>
        <translation>Unix (LF)</translation>
    </message>
    <message>
        <source>Windows (CR/LF)</source>
        <translation>Windows (CR/LF)</translation>
    </message>
    <message>
        <source>Mac (CR)</source>
        <translation>Mac (CR)</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Customize Encoding List…</source>
        <translation>エンコーディングのリストをカスタマイズ…</translation>
    </message>
    <message>
        <source>Customize Encoding List</source>
        <translation>エンコーディングのリストをカスタマイズ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>すべてを選択</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>すべてを解除</translation>
    </message>
    <message>
        <source>Revert to Default</source>
        <translation>デフォルトに戻す</translation>
    </message>
</context>
<context>
    <name>Encodings</name>
    <message>
        <source>Unicode (UTF-8)</source>
        <translation>Unicode (UTF-8)</translation>
    </message>
    <message>
        <source>Unicode (UTF-16)</source>
        <translation>Unicode (UTF-16)</translation>
    </message>
    <message>
        <source>Unicode (UTF-16BE)</source>
        <translation>Unicode (UTF-16BE)</translation>
    </message>
    <message>
        <source>Unicode (UTF-16LE)</source>
        <translation>Unicode (UTF-16LE)</translation>
    </message>
    <message>
        <source>Unicode (UTF-32)</source>
        <translation>Unicode (UTF-32)</translation>
    </message>
    <message>
        <source>Unicode (UTF-32BE)</source>
        <translation>Unicode (UTF-32BE)</translation>
    </message>
    <message>
        <source>Unicode (UTF-32LE)</source>
        <translation>Unicode (UTF-32LE)</translation>
    </message>
    <message>
        <source>Unicode (UTF-7)</source>
        <translation>Unicode (UTF-7)</translation>
    </message>
    <message>
        <source>Western (Mac OS Roman)</source>
        <translation>欧米 (Mac OS Roman)</translation>
    </message>
    <message>
        <source>Western (Windows Latin 1)</source>
        <translation>欧米 (Windows Latin 1)</translation>
    </message>
    <message>
        <source>Western (ISO Latin 1)</source>
        <translation>欧米 (ISO Latin 1)</translation>
    </message>
    <message>
        <source>Western (ISO Latin 9)</source>
        <translation>欧米 (ISO Latin 9)</translation>
    </message>
    <message>
        <source>Western (ASCII)</source>
        <translation>欧米 (ASCII)</translation>
    </message>
    <message>
        <source>Western (DOS Latin 1)</source>
        <translation>欧米 (DOS Latin 1)</translation>
    </message>
    <message>
        <source>Latin-US (DOS)</source>
        <translation>Latin-US (DOS)</translation>
    </message>
    <message>
        <source>Western (EBCDIC Latin Core)</source>
        <translation>欧米 (EBCDIC Latin Core)</translation>
    </message>
    <message>
        <source>Western (EBCDIC Latin 1)</source>
        <translation>欧米 (EBCDIC Latin 1)</translation>
    </message>
    <message>
        <source>South European (ISO Latin 3)</source>
        <translation>南ヨーロッパ (ISO Latin 3)</translation>
    </message>
    <message>
        <source>Central European (ISO Latin 2)</source>
        <translation>中央ヨーロッパ (ISO Latin 2)</translation>
    </message>
    <message>
        <source>Central European (Windows Latin 2)</source>
        <translation>中央ヨーロッパ (Windows Latin 2)</translation>
    </message>
    <message>
        <source>Central European (Mac OS)</source>
        <translation>中央ヨーロッパ (Mac OS)</translation>
    </message>
    <message>
        <source>Central European (DOS Latin 2)</source>
        <translation>中央ヨーロッパ (DOS Latin 2)</translation>
    </message>
    <message>
        <source>Nordic (ISO Latin 6)</source>
        <translation>北欧 (ISO Latin 6)</translation>
    </message>
    <message>
        <source>Celtic (ISO Latin 8)</source>
        <translation>ケルト語 (ISO Latin 8)</translation>
    </message>
    <message>
        <source>Cyrillic (Windows)</source>
        <translation>キリル文字 (Windows)</translation>
    </message>
    <message>
        <source>Cyrillic (ISO 8859-5)</source>
        <translation>キリル文字 (ISO 8859-5)</translation>
    </message>
    <message>
        <source>Cyrillic (KOI8-R)</source>
        <translation>キリル文字 (KOI8-R)</translation>
    </message>
    <message>
        <source>Cyrillic (Mac OS)</source>
        <translation>キリル文字 (Mac OS)</translation>
    </message>
    <message>
        <source>Cyrillic (DOS)</source>
        <translation>キリル文字 (DOS)</translation>
    </message>
    <message>
        <source>Ukrainian (KOI8-U)</source>
        <translation>ウクライナ語 (KOI8-U)</translation>
    </message>
    <message>
        <source>Greek (Windows)</source>
        <translation>ギリシャ語 (Windows)</translation>
    </message>
    <message>
        <source>Greek (ISO 8859-7)</source>
        <translation>ギリシャ語 (ISO 8859-7)</translation>
    </message>
    <message>
        <source>Greek (Mac OS)</source>
        <translation>ギリシャ語 (Mac OS)</translation>
    </message>
    <message>
        <source>Turkish (Windows Latin 5)</source>
        <translation>トルコ語 (Windows Latin 5)</translation>
    </message>
    <message>
        <source>Turkish (ISO Latin 5)</source>
        <translation>トルコ語 (ISO Latin 5)</translation>
    </message>
    <message>
        <source>Turkish (Mac OS)</source>
        <translation>トルコ語 (Mac OS)</translation>
    </message>
    <message>
        <source>Baltic (Windows)</source>
        <translation>バルト言語 (Windows)</translation>
    </message>
    <message>
        <source>Baltic (ISO Latin 4)</source>
        <translation>バルト言語 (ISO Latin 4)</translation>
    </message>
    <message>
        <source>Baltic (ISO Latin 7)</source>
        <translation>バルト言語 (ISO Latin 7)</translation>
    </message>
    <message>
        <source>Hebrew (Windows)</source>
        <translation>ヘブライ語 (Windows)</translation>
    </message>
    <message>
        <source>Hebrew (ISO 8859-8)</source>
        <translation>ヘブライ語 (ISO 8859-8)</translation>
    </message>
    <message>
        <source>Arabic (Windows)</source>
        <translation>アラビア語 (Windows)</translation>
    </message>
    <message>
        <source>Arabic (ISO 8859-6)</source>
        <translation>アラビア語 (ISO 8859-6)</translation>
    </message>
    <message>
        <source>Thai (Windows)</source>
        <translation>タイ語 (Windows)</translation>
    </message>
    <message>
        <source>Thai (ISO 8859-11)</source>
        <translation>タイ語 (ISO 8859-11)</translation>
    </message>
    <message>
        <source>Vietnamese (Windows)</source>
        <translation>ベトナム語 (Windows)</translation>
    </message>
    <message>
        <source>Japanese (Shift JIS)</source>
        <translation>日本語 (Shift JIS)</translation>
    </message>
    <message>
        <source>Japanese (EUC)</source>
        <translation>日本語 (EUC)</translation>
    </message>
    <message>
        <source>Japanese (ISO 2022-JP)</source>
        <translation>日本語 (ISO 2022-JP)</translation>
    </message>
    <message>
        <source>Chinese Simplified (GB 18030)</source>
        <translation>簡体字中国語 (GB 18030)</translation>
    </message>
    <message>
        <source>Chinese Simplified (GBK)</source>
        <translation>簡体字中国語 (GBK)</translation>
    </message>
    <message>
        <source>Chinese Simplified (EUC)</source>
        <translation>簡体字中国語 (EUC)</translation>
    </message>
    <message>
        <source>Chinese Simplified (HZ GB 2312)</source>
        <translation>簡体字中国語 (HZ GB 2312)</translation>
    </message>
    <message>
        <source>Chinese Simplified (ISO 2022-CN)</source>
        <translation>簡体字中国語 (ISO 2022-CN)</translation>
    </message>
    <message>
        <source>Chinese Traditional (Big 5)</source>
        <translation>繁体字中国語 (Big 5)</translation>
    </message>
    <message>
        <source>Chinese Traditional (Big 5 HKSCS)</source>
        <translation>繁体字中国語 (Big 5 HKSCS)</translation>
    </message>
    <message>
        <source>Chinese Traditional (EUC)</source>
        <translation>繁体字中国語 (EUC)</translation>
    </message>
    <message>
        <source>Korean (EUC)</source>
        <translation>韓国語 (EUC)</translation>
    </message>
    <message>
        <source>Korean (Windows)</source>
        <translation>韓国語 (Windows)</translation>
    </message>
    <message>
        <source>Korean (ISO 2022-KR)</source>
        <translation>韓国語 (ISO 2022-KR)</translation>
    </message>
    <message>
        <source>Western (Mac Mail)</source>
        <translation>欧米 (Mac Mail)</translation>
    </message>
    <message>
        <source>Western (NextStep)</source>
        <translation>欧米 (NextStep)</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>不明</translation>
    </message>
    <message>
        <source>Western</source>
        <translation>欧米</translation>
    </message>
</context>
<context>
    <name>FileTransferController</name>
    <message>
        <source>Import from CSV</source>
        <translation>CSV から読み込む</translation>
    </message>
    <message>
        <source>Import from vCard</source>
        <translation>vCard から読み込む</translation>
    </message>
    <message>
        <source>CSV or text (*.csv *.txt)</source>
        <translation>CSV またはテキスト (*.csv *.txt)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>vCard or text (*.vcf *.vcard *.txt)</source>
        <translation>vCard またはテキスト (*.vcf *.vcard *.txt)</translation>
    </message>
    <message>
        <source>Please make sure the file is a valid CSV file.</source>
        <translation>ファイルが正しい CSV ファイルか確認してください。</translation>
    </message>
    <message>
        <source>Reading the file: %1</source>
        <translation>ファイルを読み込み中: %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t read the file.</source>
        <translation>ファイルを読み込めませんでした。</translation>
    </message>
    <message>
        <source>Please make sure the file is vCard 2.1/3.0 file.</source>
        <translation>ファイルが vCard 2.1/3.0 ファイルか確認してください。</translation>
    </message>
    <message>
        <source>Export As CSV:</source>
        <translation>CSV の書き出し名:</translation>
    </message>
    <message>
        <source>Export As:</source>
        <translation>書き出し名:</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>テキスト (*.txt)</translation>
    </message>
    <message>
        <source>vCard (*.vcf *.vcard)</source>
        <translation>vCard (*.vcf *.vcard)</translation>
    </message>
    <message>
        <source>Writing the file: %1</source>
        <translation>ファイルを書き込み中: %1</translation>
    </message>
    <message>
        <source>Can&apos;t save the file</source>
        <translation>ファイルを保存できません</translation>
    </message>
    <message>
        <source>Something error happened in saving operation.</source>
        <translation>保存中にエラーが起きました。</translation>
    </message>
</context>
<context>
    <name>FindBarController</name>
    <message>
        <source>Find Previous</source>
        <translation>前を検索</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>次を検索</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Case Insensitive</source>
        <translation>大文字と小文字を区別しない</translation>
    </message>
    <message>
        <source>Case Sensitive</source>
        <translation>大文字と小文字を区別</translation>
    </message>
</context>
<context>
    <name>FindMenu</name>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Find…</source>
        <translation>検索…</translation>
    </message>
    <message>
        <source>Find and Replace…</source>
        <translation>検索と置換…</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>次を検索</translation>
    </message>
    <message>
        <source>Find Previous</source>
        <translation>前を検索</translation>
    </message>
    <message>
        <source>Use Selection for Find</source>
        <translation>選択部分を検索に使用</translation>
    </message>
    <message>
        <source>Find Panel…</source>
        <translation>検索パネル…</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>隠す</translation>
    </message>
</context>
<context>
    <name>FindPanel</name>
    <message>
        <source>The regular expression is not valid: %1 (at %2)</source>
        <translation>正規表現が正しくありません: %1 (位置 %2)</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Case Insensitive</source>
        <translation>大文字と小文字を区別しない</translation>
    </message>
    <message>
        <source>Case Sensitive</source>
        <translation>大文字と小文字を区別</translation>
    </message>
    <message>
        <source>Regex</source>
        <translation>正規表現</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>前へ</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>すべて置換</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>ロック</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>%1 - </source>
        <translation>%1 - </translation>
    </message>
    <message>
        <source>%1 + </source>
        <translation>%1 + </translation>
    </message>
    <message>
        <source>Items</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Sub Items</source>
        <translation>サブ項目</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
</context>
<context>
    <name>FindResultModel</name>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>SubItem</source>
        <translation>サブ項目</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
</context>
<context>
    <name>GroupViewController</name>
    <message>
        <source>All Contacts</source>
        <translation>すべての連絡先</translation>
    </message>
</context>
<context>
    <name>ImportNameModel</name>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
</context>
<context>
    <name>ImportPanelController</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>読み込む</translation>
    </message>
    <message numerus="yes">
        <source>%n card(s) of the file could not be read: cut off, damaged or nested in another card. They are not listed.</source>
        <translation>
            <numerusform>このファイルの %n 件のカードは読み込めませんでした（途中で切れている、壊れている、または別のカードの中にあります）。一覧には表示されません。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>InstantMessageEditor</name>
    <message>
        <source>Label:</source>
        <translation>ラベル:</translation>
    </message>
    <message>
        <source>Service:</source>
        <translation>サービス:</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>ユーザ名:</translation>
    </message>
</context>
<context>
    <name>ItemMenu</name>
    <message>
        <source>Replace Label and Text</source>
        <translation>ラベルとテキストを置換</translation>
    </message>
    <message>
        <source>Replace Text</source>
        <translation>テキストを置換</translation>
    </message>
    <message>
        <source>Prepend Text</source>
        <translation>テキストを先頭に追加</translation>
    </message>
    <message>
        <source>Append Text</source>
        <translation>テキストを末尾に追加</translation>
    </message>
    <message>
        <source>Add Item</source>
        <translation>項目を追加</translation>
    </message>
    <message>
        <source>Delete Item</source>
        <translation>項目を削除</translation>
    </message>
    <message>
        <source>Show Contact Info</source>
        <translation>連絡先情報を表示</translation>
    </message>
    <message>
        <source>Open Name Panel</source>
        <translation>名前パネルを開く</translation>
    </message>
    <message>
        <source>Show QRCode</source>
        <translation>QR コードを表示</translation>
    </message>
    <message>
        <source>Add New Contact</source>
        <translation>新規連絡先を追加</translation>
    </message>
    <message>
        <source>Delete Contact</source>
        <translation>連絡先を削除</translation>
    </message>
    <message>
        <source>Duplicate Contact</source>
        <translation>連絡先を複製</translation>
    </message>
    <message>
        <source>Export Contact as vCard</source>
        <translation>連絡先を vCard として書き出す</translation>
    </message>
    <message>
        <source>Show Company in the Name Cell</source>
        <translation>名前のセルに会社名を表示</translation>
    </message>
    <message>
        <source>Open Edit Panel</source>
        <translation>編集パネルを開く</translation>
    </message>
    <message>
        <source>Open Apple Map</source>
        <translation>Apple マップで開く</translation>
    </message>
    <message>
        <source>Open Google Map</source>
        <translation>Google マップで開く</translation>
    </message>
    <message>
        <source>Open Address Panel</source>
        <translation>住所パネルを開く</translation>
    </message>
    <message>
        <source>Open Calendar</source>
        <translation>カレンダーを開く</translation>
    </message>
    <message>
        <source>Call Phone</source>
        <translation>電話をかける</translation>
    </message>
    <message>
        <source>Send Email</source>
        <translation>メールを送信</translation>
    </message>
    <message>
        <source>Open URL</source>
        <translation>URL を開く</translation>
    </message>
    <message>
        <source>Open IMS Panel</source>
        <translation>インスタントメッセージパネルを開く</translation>
    </message>
    <message>
        <source>Open SNS Panel</source>
        <translation>SNS パネルを開く</translation>
    </message>
    <message>
        <source>Open Dates Panel</source>
        <translation>日付パネルを開く</translation>
    </message>
    <message>
        <source>Open Birthday Panel</source>
        <translation>誕生日パネルを開く</translation>
    </message>
    <message>
        <source>Open Phonetic Name Panel</source>
        <translation>ふりがなパネルを開く</translation>
    </message>
    <message>
        <source>Clear Text</source>
        <translation>テキストを消去</translation>
    </message>
</context>
<context>
    <name>LabelPresetPanel</name>
    <message>
        <source>Label Presets</source>
        <translation>ラベルのプリセット</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名前:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>LineBreaks</name>
    <message>
        <source>Unix (LF)</source>
        <translation>Unix (LF)</translation>
    </message>
    <message>
        <source>Windows (CR/LF)</source>
        <translation>Windows (CR/LF)</translation>
    </message>
    <message>
        <source>Mac (CR)</source>
        <translation>Mac (CR)</translation>
    </message>
</context>
<context>
    <name>MergeLinks</name>
    <message>
        <source>Call Phone</source>
        <translation>電話をかける</translation>
    </message>
    <message>
        <source>Send Email</source>
        <translation>メールを送信</translation>
    </message>
    <message>
        <source>Open URL</source>
        <translation>URL を開く</translation>
    </message>
    <message>
        <source>Open Apple Map</source>
        <translation>Apple マップで開く</translation>
    </message>
    <message>
        <source>Open Google Map</source>
        <translation>Google マップで開く</translation>
    </message>
    <message>
        <source>Open Calendar</source>
        <translation>カレンダーを開く</translation>
    </message>
</context>
<context>
    <name>MergePanelController</name>
    <message>
        <source>Merge</source>
        <translation>統合</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>ロック</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>変更</translation>
    </message>
</context>
<context>
    <name>MergeRowBuilder</name>
    <message>
        <source>System Default (First Name First)</source>
        <translation>システムのデフォルト (名が先)</translation>
    </message>
    <message>
        <source>System Default (Last Name First)</source>
        <translation>システムのデフォルト (姓が先)</translation>
    </message>
    <message>
        <source>First Name First</source>
        <translation>名が先</translation>
    </message>
    <message>
        <source>Last Name First</source>
        <translation>姓が先</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>個人</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>会社</translation>
    </message>
</context>
<context>
    <name>MergeTableModel</name>
    <message>
        <source>First Name</source>
        <translation>名</translation>
    </message>
    <message>
        <source>Middle Name</source>
        <translation>ミドルネーム</translation>
    </message>
    <message>
        <source>Last Name</source>
        <translation>姓</translation>
    </message>
    <message>
        <source>Previous Family Name</source>
        <translation>旧姓</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
</context>
<context>
    <name>MergeTableView</name>
    <message>
        <source>Open Address Panel</source>
        <translation>住所パネルを開く</translation>
    </message>
    <message>
        <source>Open IMS Panel</source>
        <translation>インスタントメッセージパネルを開く</translation>
    </message>
    <message>
        <source>Open SNS Panel</source>
        <translation>SNS パネルを開く</translation>
    </message>
    <message>
        <source>Open Dates Panel</source>
        <translation>日付パネルを開く</translation>
    </message>
    <message>
        <source>Open Birthday Panel</source>
        <translation>誕生日パネルを開く</translation>
    </message>
    <message>
        <source>Open Edit Panel</source>
        <translation>編集パネルを開く</translation>
    </message>
    <message>
        <source>Replace Image</source>
        <translation>イメージを置き換える</translation>
    </message>
    <message>
        <source>Add Image</source>
        <translation>イメージを追加</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.gif *.bmp *.tiff)</source>
        <translation>イメージ (*.png *.jpg *.jpeg *.gif *.bmp *.tiff)</translation>
    </message>
    <message>
        <source>Delete Image</source>
        <translation>イメージを削除</translation>
    </message>
    <message>
        <source>Add Item</source>
        <translation>項目を追加</translation>
    </message>
    <message>
        <source>Delete Item</source>
        <translation>項目を削除</translation>
    </message>
</context>
<context>
    <name>MultiValueList</name>
    <message>
        <source>Default</source>
        <translation>デフォルト</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Service Type</source>
        <translation>サービスの種類</translation>
    </message>
</context>
<context>
    <name>MultiValueViewController</name>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>住所:</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>ロック</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>変更</translation>
    </message>
</context>
<context>
    <name>NameEditor</name>
    <message>
        <source>First name:</source>
        <translation>名:</translation>
    </message>
    <message>
        <source>Middle name:</source>
        <translation>ミドルネーム:</translation>
    </message>
    <message>
        <source>Last name:</source>
        <translation>姓:</translation>
    </message>
    <message>
        <source>Maiden name:</source>
        <translation>旧姓:</translation>
    </message>
    <message>
        <source>Name order:</source>
        <translation>名前の順序:</translation>
    </message>
    <message>
        <source>Show as:</source>
        <translation>表示形式:</translation>
    </message>
</context>
<context>
    <name>PhoneQRCommands</name>
    <message>
        <source>Show QRCode</source>
        <translation>QR コードを表示</translation>
    </message>
    <message>
        <source>Normalize Phone Numbers</source>
        <translation>電話番号を正規化</translation>
    </message>
</context>
<context>
    <name>Popover</name>
    <message>
        <source>Detach</source>
        <translation>切り離す</translation>
    </message>
</context>
<context>
    <name>PreferencesPanel</name>
    <message>
        <source>Preferences</source>
        <translation>環境設定</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>選択…</translation>
    </message>
    <message>
        <source>Address books folder:</source>
        <translation>アドレスブックのフォルダ:</translation>
    </message>
</context>
<context>
    <name>PrintOptionsPanel</name>
    <message>
        <source>Print Style</source>
        <translation>プリントスタイル</translation>
    </message>
    <message>
        <source>Address List</source>
        <translation>住所録</translation>
    </message>
    <message>
        <source>Mailing Labels</source>
        <translation>宛名ラベル</translation>
    </message>
    <message>
        <source>Envelope</source>
        <translation>封筒</translation>
    </message>
    <message>
        <source>Hagaki</source>
        <translation>はがき</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>単位:</translation>
    </message>
    <message>
        <source>Top:</source>
        <translation>上:</translation>
    </message>
    <message>
        <source>Left:</source>
        <translation>左:</translation>
    </message>
    <message>
        <source>Right:</source>
        <translation>右:</translation>
    </message>
    <message>
        <source>Bottom:</source>
        <translation>下:</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>フォント:</translation>
    </message>
    <message>
        <source>Pre&amp;view…</source>
        <translation>プレビュー(&amp;V)…</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Print Frame</source>
        <translation>枠を印刷</translation>
    </message>
    <message>
        <source>Print Company</source>
        <translation>会社名を印刷</translation>
    </message>
    <message>
        <source>Print Country</source>
        <translation>国名を印刷</translation>
    </message>
    <message>
        <source>Print Prefix</source>
        <translation>敬称 (名前の前) を印刷</translation>
    </message>
    <message>
        <source>Draw Text in Vertical</source>
        <translation>縦書きで印刷</translation>
    </message>
    <message>
        <source>Alternating Row</source>
        <translation>行の背景を交互に変える</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Preset:</source>
        <translation>プリセット:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>幅:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>高さ:</translation>
    </message>
    <message>
        <source>Horizontal Gap:</source>
        <translation>横の間隔:</translation>
    </message>
    <message>
        <source>Vertical Gap:</source>
        <translation>縦の間隔:</translation>
    </message>
    <message>
        <source>Repeat Count:</source>
        <translation>繰り返し回数:</translation>
    </message>
    <message>
        <source>Suffix:</source>
        <translation>敬称:</translation>
    </message>
    <message>
        <source>Left-Right</source>
        <translation>左から右</translation>
    </message>
    <message>
        <source>Up-Down</source>
        <translation>上から下</translation>
    </message>
    <message>
        <source>Text Direction:</source>
        <translation>文字の方向:</translation>
    </message>
    <message>
        <source>Postcard:</source>
        <translation>はがき:</translation>
    </message>
    <message>
        <source>Print Sender</source>
        <translation>差出人を印刷</translation>
    </message>
    <message>
        <source>Show Background</source>
        <translation>背景を表示</translation>
    </message>
    <message>
        <source>points</source>
        <translation>ポイント</translation>
    </message>
    <message>
        <source>inches</source>
        <translation>インチ</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Header and Footer</source>
        <translation>ヘッダとフッタ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>Text X:</source>
        <translation>テキスト X:</translation>
    </message>
    <message>
        <source>Text Y:</source>
        <translation>テキスト Y:</translation>
    </message>
    <message>
        <source>Text Width:</source>
        <translation>テキストの幅:</translation>
    </message>
    <message>
        <source>Text Height:</source>
        <translation>テキストの高さ:</translation>
    </message>
    <message>
        <source>No sender</source>
        <translation>差出人なし</translation>
    </message>
    <message>
        <source>Use Selected Contact as Sender</source>
        <translation>選択した連絡先を差出人にする</translation>
    </message>
    <message>
        <source>home</source>
        <translation>自宅</translation>
    </message>
    <message>
        <source>work</source>
        <translation>勤務先</translation>
    </message>
    <message>
        <source>other</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>The address of the sender that is printed</source>
        <translation>印刷する差出人の住所</translation>
    </message>
    <message>
        <source>Add/Delete...</source>
        <translation>追加/削除...</translation>
    </message>
    <message>
        <source>Print Spouse</source>
        <translation>配偶者を印刷</translation>
    </message>
    <message>
        <source>Print Children</source>
        <translation>子供を印刷</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>ProgressAlert</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>QIODevice</name>
    <message>
        <source>Unknown error</source>
        <translation>不明なエラー</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>No Name</source>
        <translation>名前なし</translation>
    </message>
</context>
<context>
    <name>QRCodePanelController</name>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
    <message>
        <source>Copy as PNG</source>
        <translation>PNG としてコピー</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>QR Code</source>
        <translation>QR コード</translation>
    </message>
    <message>
        <source>The text is too long for a QR code.</source>
        <translation>テキストが長すぎて QR コードにできません。</translation>
    </message>
</context>
<context>
    <name>QRSelectionModel</name>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
</context>
<context>
    <name>QVPerson</name>
    <message>
        <source>Phonetic Name</source>
        <translation>ふりがな</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>会社</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>グループ</translation>
    </message>
    <message>
        <source>Department</source>
        <translation>部署</translation>
    </message>
    <message>
        <source>Job Title</source>
        <translation>役職</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>ニックネーム</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>敬称 (名前の前)</translation>
    </message>
    <message>
        <source>Suffix</source>
        <translation>敬称 (名前の後)</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>電話</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>メール</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>住所</translation>
    </message>
    <message>
        <source>Relationship</source>
        <translation>関係</translation>
    </message>
    <message>
        <source>Social Network</source>
        <translation>SNS</translation>
    </message>
    <message>
        <source>Instant Message</source>
        <translation>インスタントメッセージ</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Birthday</source>
        <translation>誕生日</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>写真</translation>
    </message>
    <message>
        <source>Phonetic First Name</source>
        <translation>名のふりがな</translation>
    </message>
    <message>
        <source>Phonetic Middle Name</source>
        <translation>ミドルネームのふりがな</translation>
    </message>
    <message>
        <source>Phonetic Last Name</source>
        <translation>姓のふりがな</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>郵便番号</translation>
    </message>
    <message>
        <source>State</source>
        <translation>都道府県</translation>
    </message>
    <message>
        <source>City</source>
        <translation>市区町村</translation>
    </message>
    <message>
        <source>Street</source>
        <translation>番地</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>国</translation>
    </message>
    <message>
        <source>No Name</source>
        <translation>名前なし</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>個人</translation>
    </message>
    <message>
        <source>System Default (LastName)</source>
        <translation>システムのデフォルト</translation>
    </message>
    <message>
        <source>First Name First</source>
        <translation>名が先</translation>
    </message>
    <message>
        <source>Last Name First</source>
        <translation>姓が先</translation>
    </message>
</context>
<context>
    <name>QVvCard</name>
    <message>
        <source>All Contacts</source>
        <translation>すべての連絡先</translation>
    </message>
</context>
<context>
    <name>ReplaceAlertPanel</name>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>テキスト</translation>
    </message>
    <message>
        <source>Add Label and Text</source>
        <translation>ラベルとテキストを追加</translation>
    </message>
    <message>
        <source>Replace Label and Text</source>
        <translation>ラベルとテキストを置換</translation>
    </message>
    <message>
        <source>Replace Text</source>
        <translation>テキストを置換</translation>
    </message>
    <message>
        <source>Prepend Text</source>
        <translation>テキストを先頭に追加</translation>
    </message>
    <message>
        <source>Append Text</source>
        <translation>テキストを末尾に追加</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>列</translation>
    </message>
    <message>
        <source>In order to add the label and text %1</source>
        <translation>「%1」にラベルとテキストを追加します</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>In order to replace the label and text %1</source>
        <translation>「%1」のラベルとテキストを置換します</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>In order to replace the text %1</source>
        <translation>「%1」のテキストを置換します</translation>
    </message>
    <message>
        <source>In order to prepend the text %1</source>
        <translation>「%1」のテキストの先頭に追加します</translation>
    </message>
    <message>
        <source>In order to append the text %1</source>
        <translation>「%1」のテキストの末尾に追加します</translation>
    </message>
    <message>
        <source>Prepend</source>
        <translation>先頭に追加</translation>
    </message>
    <message>
        <source>Append</source>
        <translation>末尾に追加</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>SocialNetworkEditor</name>
    <message>
        <source>Service:</source>
        <translation>サービス:</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>ユーザ名:</translation>
    </message>
    <message>
        <source>User identifier:</source>
        <translation>ユーザ ID:</translation>
    </message>
    <message>
        <source>URL:</source>
        <translation>URL:</translation>
    </message>
</context>
<context>
    <name>SortOptions</name>
    <message>
        <source>Full Name</source>
        <translation>フルネーム</translation>
    </message>
    <message>
        <source>First Name</source>
        <translation>名</translation>
    </message>
    <message>
        <source>Last Name</source>
        <translation>姓</translation>
    </message>
    <message>
        <source>Phonetic First Name</source>
        <translation>名のふりがな</translation>
    </message>
    <message>
        <source>Phonetic Last Name</source>
        <translation>姓のふりがな</translation>
    </message>
    <message>
        <source>Domain</source>
        <translation>ドメイン</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>ユーザ名</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Service</source>
        <translation>サービス</translation>
    </message>
    <message>
        <source>Sort by</source>
        <translation>並べ替えの基準</translation>
    </message>
</context>
<context>
    <name>TextFileReader</name>
    <message>
        <source>The file “%1” couldn’t be opened because its text encoding couldn’t be determined.</source>
        <translation>テキストエンコーディングを判定できなかったため、ファイル “%1” を開けませんでした。</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because its text encoding isn’t available.</source>
        <translation>テキストエンコーディングが利用できないため、ファイル “%1” を開けませんでした。</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened using text encoding %2.</source>
        <translation>テキストエンコーディング %2 ではファイル “%1” を開けませんでした。</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because there is no such file.</source>
        <translation>ファイル “%1” は存在しないため、開けませんでした。</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because it is a folder.</source>
        <translation>“%1” はフォルダのため、開けませんでした。</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened: %2</source>
        <translation>ファイル “%1” を開けませんでした: %2</translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be opened because it is too large.</source>
        <translation>ファイル “%1” は大きすぎるため、開けませんでした。</translation>
    </message>
</context>
<context>
    <name>ViewController</name>
    <message>
        <source>Would you like to restore default preferences?</source>
        <translation>設定を初期状態に戻しますか？</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>フォント</translation>
    </message>
    <message>
        <source>Do you want to remove the group?</source>
        <translation>グループを削除しますか？</translation>
    </message>
    <message>
        <source>This operation can&apos;t be undone.</source>
        <translation>この操作は取り消せません。</translation>
    </message>
    <message>
        <source>The address book is read only.</source>
        <translation>このアドレスブックは読み出し専用です。</translation>
    </message>
    <message>
        <source>Its contacts can be copied, exported and dragged to other windows, but not changed here.</source>
        <translation>連絡先はコピー、書き出し、ほかのウインドウへのドラッグができますが、ここでは変更できません。</translation>
    </message>
    <message>
        <source>Error on reading a group in the &apos;%1&apos;.</source>
        <translation>「%1」のグループの読み込み中にエラーが起きました。</translation>
    </message>
    <message>
        <source>Please check the account settings.</source>
        <translation>アカウントの設定を確認してください。</translation>
    </message>
    <message>
        <source>Some cards could not be read.</source>
        <translation>一部のカードを読み込めませんでした。</translation>
    </message>
</context>
<context>
    <name>ViewTypes</name>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>メール</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>電話</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>住所</translation>
    </message>
    <message>
        <source>Address Detail</source>
        <translation>住所 (詳細)</translation>
    </message>
    <message>
        <source>Instant Message</source>
        <translation>インスタントメッセージ</translation>
    </message>
    <message>
        <source>Social Network</source>
        <translation>SNS</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Personal Information</source>
        <translation>個人情報</translation>
    </message>
    <message>
        <source>Business Information</source>
        <translation>仕事の情報</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>Labeled Values</source>
        <translation>ラベル付きの項目</translation>
    </message>
    <message>
        <source>Non-labeled Values</source>
        <translation>ラベルなしの項目</translation>
    </message>
</context>
<context>
    <name>WindowController</name>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>ロック</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>If you edit the CSV file, the format will change to vCard and the name will reset.</source>
        <translation>CSV ファイルを編集すると、フォーマットが vCard に変わり、名前がリセットされます。</translation>
    </message>
    <message>
        <source>The name can be set, when you select the &apos;Save&apos; in the file menu.</source>
        <translation>名前は「ファイル」メニューの「保存」を選ぶと設定できます。</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新規(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>開く(&amp;O)…</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>最近使った書類を開く(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>名前を付けて保存(&amp;A)…</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Revert to Saved</source>
        <translation>保存した状態に戻す</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>印刷(&amp;P)…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>取り消す(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>やり直す(&amp;R)</translation>
    </message>
    <message>
        <source>Delete Contacts</source>
        <translation>連絡先を削除</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>すべてを選択(&amp;A)</translation>
    </message>
    <message>
        <source>F&amp;ormat</source>
        <translation>フォーマット(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Font</source>
        <translation>フォント(&amp;F)</translation>
    </message>
    <message>
        <source>Show &amp;Fonts…</source>
        <translation>フォントを表示(&amp;F)…</translation>
    </message>
    <message>
        <source>Revert to Default Font</source>
        <translation>デフォルトのフォントに戻す</translation>
    </message>
    <message>
        <source>&amp;Navigate</source>
        <translation>移動(&amp;N)</translation>
    </message>
    <message>
        <source>Select View Type</source>
        <translation>表示タイプを選択</translation>
    </message>
    <message>
        <source>Select Label</source>
        <translation>ラベルを選択</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Hide Group</source>
        <translation>グループを隠す</translation>
    </message>
    <message>
        <source>Hide Contact Info</source>
        <translation>連絡先情報を隠す</translation>
    </message>
    <message>
        <source>Show Company in the Name Cell</source>
        <translation>名前のセルに会社名を表示</translation>
    </message>
    <message>
        <source>Editable</source>
        <translation>編集可能</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>ウインドウ(&amp;W)</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>ズーム</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Import from vCard…</source>
        <translation>vCard から読み込む…</translation>
    </message>
    <message>
        <source>Import from CSV…</source>
        <translation>CSV から読み込む…</translation>
    </message>
    <message>
        <source>Export to vCard…</source>
        <translation>vCard に書き出す…</translation>
    </message>
    <message>
        <source>Export to CSV…</source>
        <translation>CSV に書き出す…</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>Copy as CSV</source>
        <translation>CSV としてコピー</translation>
    </message>
    <message>
        <source>Copy as vCard</source>
        <translation>vCard としてコピー</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>ペースト(&amp;P)</translation>
    </message>
    <message>
        <source>Clear Menu</source>
        <translation>メニューを消去</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>ツールバー</translation>
    </message>
    <message>
        <source>View Type</source>
        <translation>表示タイプ</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Sort Options</source>
        <translation>並べ替えオプション</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>連絡先</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>グループ</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>グループ</translation>
    </message>
    <message>
        <source>Show or hide the groups</source>
        <translation>グループを表示または非表示</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Show or hide the contact info</source>
        <translation>連絡先情報を表示または非表示</translation>
    </message>
    <message>
        <source>Show Custom Items</source>
        <translation>カスタム項目を表示</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Custom Labels…</source>
        <translation>カスタムラベル…</translation>
    </message>
    <message>
        <source>Add New Contact</source>
        <translation>新規連絡先を追加</translation>
    </message>
    <message>
        <source>Duplicate Contacts</source>
        <translation>連絡先を複製</translation>
    </message>
    <message>
        <source>Merge Contacts</source>
        <translation>連絡先を統合</translation>
    </message>
    <message>
        <source>Export Contacts as vCard</source>
        <translation>連絡先を vCard として書き出す</translation>
    </message>
    <message>
        <source>Group not selected</source>
        <translation>グループが選択されていません</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>グループを追加</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>グループを削除</translation>
    </message>
    <message>
        <source>Add to Group</source>
        <translation>グループに追加</translation>
    </message>
    <message>
        <source>Remove from Group</source>
        <translation>グループから削除</translation>
    </message>
    <message>
        <source>No other groups</source>
        <translation>ほかのグループはありません</translation>
    </message>
    <message>
        <source>Show Group</source>
        <translation>グループを表示</translation>
    </message>
    <message>
        <source>Show Contact Info</source>
        <translation>連絡先情報を表示</translation>
    </message>
    <message>
        <source>Open Address Book</source>
        <translation>アドレスブックを開く</translation>
    </message>
    <message>
        <source>Preferences…</source>
        <translation>環境設定…</translation>
    </message>
</context>
<context>
    <name>ZipDatabase</name>
    <message>
        <source>The postal-code list &quot;%1&quot; is missing.</source>
        <translation>郵便番号リスト &quot;%1&quot; がありません。</translation>
    </message>
    <message>
        <source>The postal-code list &quot;%1&quot; is damaged: it does not decompress.</source>
        <translation>郵便番号リスト &quot;%1&quot; は壊れています: 展開できません。</translation>
    </message>
    <message>
        <source>The postal-code list &quot;%1&quot; is damaged: it is not Shift_JIS text.</source>
        <translation>郵便番号リスト &quot;%1&quot; は壊れています: Shift_JIS のテキストではありません。</translation>
    </message>
    <message>
        <source>The postal-code list &quot;%1&quot; holds no postal codes.</source>
        <translation>郵便番号リスト &quot;%1&quot; に郵便番号がありません。</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Edit contacts in vCard and CSV files.</source>
        <translation>vCard と CSV ファイルの連絡先を編集します。</translation>
    </message>
    <message>
        <source>Start as the edition NAME (pellory2, brisklet, strandel2, ombrine2).</source>
        <translation>エディション NAME (pellory2, brisklet, strandel2, ombrine2) として起動します。</translation>
    </message>
    <message>
        <source>vCard or CSV files to open.</source>
        <translation>開く vCard または CSV ファイル。</translation>
    </message>
</context>
</TS>
